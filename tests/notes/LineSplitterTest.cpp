// TLineSplitter must split a text fed in pieces exactly as TStringList::SetText splits the text
// joined at once, whatever the piece boundaries cut: a CR LF, a line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ListLines.h"
#include "StringList.h"
#include "TLineSplitter.h"
#include "TextScan.h"

namespace {

TEST(LineSplitterTest, PiecesSplitAsTheJoinedText) {
  const struct {
    const char* Name;
    std::vector<std::string> Pieces;
  } cases[] = {
      {"nothing", {}},
      {"one piece", {"a\r\nb\r\n"}},
      {"last line without break", {"a\r\nb"}},
      {"line goes on in the next piece", {"ab", "cd\r\ne\r\n"}},
      {"CR LF cut between pieces", {"a\r", "\nb\r\n"}},
      {"bare CR before a piece", {"a\rb\r", "c"}},
      {"bare CR, then CR LF", {"a\r", "\r\n", "\nb"}},
      {"lone LF and CR", {"a\nb\rc\r\n\r\n", "\n\rd"}},
      {"empty lines", {"\r\n\r\n\r\n", "\r\n", "x\r\n\r\n"}},
      {"long lines over many pieces",
       {std::string(100, 'x') + "\r\n", std::string(50, 'y') + "\r\n" + std::string(70, 'z'),
        "\r\n", "end\r\n"}},
  };
  // Each case also with every piece cut in two at each position, and byte by byte: most of a
  // piece is split where it lies, the rest through the tail.
  const auto feeds = [](const std::vector<std::string>& Pieces) {
    std::vector<std::vector<std::string>> feeds{Pieces, {}};
    size_t longest = 0;
    for (const std::string& piece : Pieces) {
      longest = std::max(longest, piece.size());
      for (char c : piece) feeds.back().push_back(std::string(1, c));
    }
    for (size_t cut = 1; cut < longest; ++cut) {
      feeds.emplace_back();
      for (const std::string& piece : Pieces) {
        feeds.back().push_back(piece.substr(0, cut));
        if (cut < piece.size()) feeds.back().push_back(piece.substr(cut));
      }
    }
    return feeds;
  };
  for (const auto& test : cases) {
    std::string joined;
    for (const std::string& piece : test.Pieces) joined += piece;
    TStringList expected;
    expected.SetText(joined);
    for (const std::vector<std::string>& feed : feeds(test.Pieces)) {
      SCOPED_TRACE(std::string(test.Name) + " in " + std::to_string(feed.size()) + " pieces");
      TStringList lines;
      lines.Add("left over");  // the splitter starts from an empty list
      TLineSplitter splitter(lines);
      for (const std::string& piece : feed) {
        // The splitter takes pieces of at most one line: each piece is cut after its breaks.
        for (size_t start = 0, end; start < piece.size(); start = end) {
          end = AfterLineBreak(piece, start);
          splitter.AppendLine(std::string_view(piece).substr(start, end - start));
        }
      }
      splitter.Finish();
      EXPECT_EQ(vesktest::LinesOf(lines), vesktest::LinesOf(expected));
    }
  }
}

}  // namespace
