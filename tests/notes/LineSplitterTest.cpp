// TLineSplitter must split a text fed in pieces exactly as TStringList::SetText splits the text
// joined at once, whatever the piece boundaries cut: a CR LF, a line, a taken-back line break.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ListLines.h"
#include "StringList.h"
#include "TLineSplitter.h"
#include "TextScan.h"

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
      {"taking back half a CR LF", {{"ab\r\nc"}, {"\nd", true}, {"e\r\n"}, {"\r\n", true}}},
      {"long lines over many pieces",
       {{std::string(100, 'x') + "\r\n"},
        {std::string(50, 'y') + "\r\n" + std::string(70, 'z') + "\r\n", true},
        {"\r\n", true},
        {"end\r\n"}}},
  };
  // Each case also with every piece cut in two at each position, and byte by byte: most of a
  // piece is split where it lies, the rest through the tail.
  const auto feeds = [](const std::vector<TPiece>& Pieces) {
    std::vector<std::vector<TPiece>> feeds{Pieces, {}};
    size_t longest = 0;
    for (const TPiece& piece : Pieces) {
      longest = std::max(longest, piece.Text.size());
      for (size_t at = 0; at < piece.Text.size(); ++at)
        feeds.back().push_back({piece.Text.substr(at, 1), at == 0 && piece.TakeBackTwo});
    }
    for (size_t cut = 1; cut < longest; ++cut) {
      feeds.emplace_back();
      for (const TPiece& piece : Pieces) {
        feeds.back().push_back({piece.Text.substr(0, cut), piece.TakeBackTwo});
        if (cut < piece.Text.size()) feeds.back().push_back({piece.Text.substr(cut)});
      }
    }
    return feeds;
  };
  for (const auto& test : cases) {
    std::string joined;
    for (const TPiece& piece : test.Pieces) {
      if (piece.TakeBackTwo) joined.resize(joined.size() - 2);
      joined += piece.Text;
    }
    TStringList expected;
    expected.SetText(joined);
    for (const std::vector<TPiece>& feed : feeds(test.Pieces)) {
      SCOPED_TRACE(std::string(test.Name) + " in " + std::to_string(feed.size()) + " pieces");
      std::string sofar;
      TStringList lines;
      lines.Add("left over");  // the splitter starts from an empty list
      TLineSplitter splitter(lines);
      for (const TPiece& piece : feed) {
        if (piece.TakeBackTwo) sofar.resize(sofar.size() - 2);
        sofar += piece.Text;
        // The splitter takes pieces of at most one line: each piece is cut after its breaks.
        bool takeBack = piece.TakeBackTwo;
        for (size_t start = 0, end; start < piece.Text.size() || takeBack; start = end) {
          end = AfterLineBreak(piece.Text, start);
          splitter.AppendLine(std::string_view(piece.Text).substr(start, end - start), takeBack);
          takeBack = false;
        }
        EXPECT_EQ(splitter.Empty(), sofar.empty());
      }
      splitter.Finish();
      EXPECT_EQ(vesktest::LinesOf(lines), vesktest::LinesOf(expected));
    }
  }
}

}  // namespace
