// TLineSplitter must split a text fed in pieces exactly as TStringList::SetText splits the text
// joined at once, whatever the piece boundaries cut: a CR LF, a line, a taken-back line break.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListLines.h"
#include "StringList.h"
#include "TLineSplitter.h"

namespace {

struct TPiece {
  std::string Text;
  bool TakeBackTwo = false;
};

TEST(LineSplitterTest, PiecesSplitAsTheJoinedText) {
  const struct {
    const char* Name;
    std::vector<TPiece> Pieces;
  } cases[] = {
      {"nothing", {}},
      {"one piece", {{"a\r\nb\r\n"}}},
      {"last line without break", {{"a\r\nb"}}},
      {"line goes on in the next piece", {{"ab\r\n"}, {"cd\r\ne\r\n", true}}},
      {"paragraph starts the next piece", {{"ab\r\n"}, {"cd\r\n"}}},
      {"CR LF cut between pieces", {{"a\r"}, {"\nb\r\n"}}},
      {"bare CR before a piece", {{"a\rb\r"}, {"c"}}},
      {"lone LF and CR", {{"a\nb\rc\r\n\r\n"}, {"\n\rd"}}},
      {"empty lines", {{"\r\n\r\n\r\n"}, {"\r\n", true}, {"x\r\n\r\n"}}},
      {"short pieces taken back", {{"ab"}, {"cd", true}, {"ef", true}, {"\r\nf", true}}},
      {"taking back eats a LF", {{"ab\nc"}, {"d", true}}},
      {"taking back leaves a CR before a LF", {{"a\rbc"}, {"\nd", true}}},
      {"long lines over many pieces",
       {{std::string(100, 'x') + "\r\n"},
        {std::string(50, 'y') + "\r\n" + std::string(70, 'z') + "\r\n", true},
        {"\r\n", true},
        {"end\r\n"}}},
  };
  for (const auto& test : cases) {
    std::string joined;
    TStringList lines;
    lines.Add("left over");  // the splitter starts from an empty list
    TLineSplitter splitter(lines);
    for (const TPiece& piece : test.Pieces) {
      if (piece.TakeBackTwo) joined.resize(joined.size() - 2);
      joined += piece.Text;
      splitter.Append(piece.Text, piece.TakeBackTwo);
      EXPECT_EQ(splitter.Empty(), joined.empty()) << test.Name;
    }
    splitter.Finish();
    TStringList expected;
    expected.SetText(joined);
    EXPECT_EQ(vesktest::LinesOf(lines), vesktest::LinesOf(expected)) << test.Name;
  }
}

}  // namespace
