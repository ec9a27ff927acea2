// The host's shared definitions: tree nodes read from the clipboard stream (malformed ones
// included), stored references split into path, file name and title, releases and features.
#include <gtest/gtest.h>

#include <string>

#include "Vesk_Def.h"

namespace {

std::string Le(int64_t Value, int Size) {
  std::string bytes;
  for (int i = 0; i < Size; ++i) bytes += static_cast<char>(Value >> (8 * i));
  return bytes;
}

std::string Node(int32_t Int1, const std::string& Text, uint8_t Flag, int64_t Int5) {
  return Le(Int1, 4) + Le(static_cast<int64_t>(Text.size()), 4) + Text + Le(2, 4) + Le(3, 4) +
         Le(4, 4) + static_cast<char>(Flag) + Le(Int5, 8);
}

struct TNodeCase {
  const char* Name;
  TVeskClipboardFormat Format;
  std::string Bytes;
  std::vector<TVESKTreeNodeRecord> Nodes;  // read until GetEOF
  bool Moves = true;
};

TEST(Vesk_Def, TreeNodesAreReadOneByOneAndNeverPastTheStream) {
  const TVESKTreeNodeRecord first{7, "Inbox", 2, 3, 4, 1, 5}, second{8, "", 2, 3, 4, 0, -1};
  const TNodeCase cases[] = {
      {"two nodes",
       icfTree,
       Node(7, "Inbox", 1, 5) + Node(8, "", 0, 0x1FFFFFFFFLL),
       {first, second}},
      {"another format", icfAttm, Node(7, "Inbox", 1, 5), {{}}, false},
      {"a tail of 9 bytes", icfTree, Node(7, "Inbox", 1, 5) + std::string(9, 'x'), {first, {}}},
      {"a negative text length",
       icfTree,
       Le(7, 4) + Le(-5, 4) + std::string(30, 'x'),
       {{7, "", 0, 0, 0, 0, 0}}},
      {"a text longer than the stream",
       icfTree,
       Le(7, 4) + Le(0x7FFFFFFF, 4) + "abc",
       {{7, "", 0, 0, 0, 0, 0}}},
      {"cut in the last field",
       icfTree,
       Node(7, "Inbox", 1, 5).substr(0, 30),
       {{7, "Inbox", 2, 3, 4, 1, 0}}},
  };
  for (const TNodeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TVESKClipBoard board;
    board.Format = c.Format;
    board.Stream.Write(c.Bytes.data(), static_cast<int64_t>(c.Bytes.size()));
    board.Stream.Seek(0, soFromBeginning);
    std::vector<TVESKTreeNodeRecord> read;
    do read.push_back(board.ReadTeeNode());
    while (c.Format == icfTree && !board.GetEOF() && read.size() < 10);
    EXPECT_EQ(read.size(), c.Nodes.size());
    for (size_t i = 0; i < read.size() && i < c.Nodes.size(); ++i)
      EXPECT_TRUE(read[i] == c.Nodes[i]) << "node " << i << ": " << read[i].Text;
    EXPECT_EQ(board.GetEOF(), c.Moves);
  }
  TVESKClipBoard empty;
  EXPECT_TRUE(empty.GetIsEmpty());
  EXPECT_EQ(empty.GetFormatName(), "CF_VESKEmpty");
}

TEST(Vesk_Def, StoredReferencesSplitIntoPathFileAndTitle) {
  const struct {
    std::string FullName, Descr, Path, FileName, Title;
  } cases[] = {
      {"http://www.example.org/a/b.html", "", "http://", "www.example.org/a/b.html", "INTERNET"},
      {"HTTPS://Host:8080/a?b=c:d", "Page", "https://", "Host:8080/a?b=c:d", "Page"},
      {"OUTLOOK://00000000ABCDEF", "", "outlook://", "00000000ABCDEF", "OUTLOOK"},
      {"outlook:\\\\Personal Folders\\Inbox", "", "outlook://personal folders\\", "Inbox",
       "OUTLOOK folder: \"Inbox\""},
      {"C:\\Data\\Reports\\Q1 Plan.DOC", "Plan", "C:\\Data\\Reports\\", "Q1 Plan.DOC", "Plan"},
      {"/home/Jane/Reports/Q1.odt", "", "/home/Jane/Reports/", "Q1.odt", ""},
      {"D:file.txt", "", "D:", "file.txt", ""},
      {"plain.txt", "", "", "plain.txt", ""},
  };
  for (const auto& c : cases) {
    std::string path, file, title;
    EXPECT_TRUE(GetVeskAttmFilePath(c.FullName, c.Descr, path, file, title));
    EXPECT_EQ(path, c.Path) << c.FullName;
    EXPECT_EQ(file, c.FileName) << c.FullName;
    EXPECT_EQ(title, c.Title) << c.FullName;
  }
  EXPECT_EQ(AttmLine(atURL, "https://example.org/x\t", ""), "2\thttps://example.org/x\t");
  EXPECT_EQ(AttmLine(atFile, "/a.doc", "T: S,\tA\r\n"), "1\t/a.doc\tT: S, A  ");
}

TEST(Vesk_Def, ReleasesTranslateBothWaysAndDecideFeatures) {
  for (int64_t line = 1; line <= 255; line += 127)
    for (int64_t release : {0, 3, 255})
      for (int64_t build : {0, 15, 255}) {
        const int64_t number = ((2 * 65536 + line) * 65536 + release) * 65536 + build;
        EXPECT_EQ(TranslateRelease(TranslateVersionsNr(number)), number) << number;
      }
  EXPECT_EQ(TranslateVersionsNr(int64_t{2} << 48).Line, 255);
  EXPECT_EQ(TranslateVersionsNr(-7).VersionNr, -1);
  const struct {
    uint8_t Line;
    int32_t Release, Build;
    TVeskFeatureSet Features;
  } cases[] = {
      {0, 0, 0, {}},
      {0, 3, 0, {ifVDBhasAttmMemo}},
      {0, 0, 51, {ifVDBhasAttmSortNr, ifVDBhasAttmMemo}},
      {1, 0, 49, {ifVDBhasAttmSortNr}},
      {1, 3, 15, {ifVDBhasAttmSortNr, ifVDBhasAttmMemo, ifVDBhasStatusSortNr, ifVDBhasUNCField}},
      {2, 4, 0, {ifVDBhasStatusSortNr, ifVDBhasUNCField}}};
  for (const auto& c : cases) {
    TVESKRelease release;
    release.Line = c.Line;
    release.Release = c.Release;
    release.Build = c.Build;
    EXPECT_EQ(GetFeatures(release), c.Features)
        << int(c.Line) << "." << c.Release << "." << c.Build;
  }
}

}  // namespace
