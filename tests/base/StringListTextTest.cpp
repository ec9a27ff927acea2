#include <gtest/gtest.h>

#include <fstream>

#include "FileText.h"
#include "StringList.h"
#include "TempDir.h"

namespace {

using TLines = std::vector<std::string>;

TLines Lines(const TStringList& List) {
  TLines Result;
  for (int I = 0; I < List.Count(); ++I) Result.push_back(List.Strings(I));
  return Result;
}

TLines SplitText(const std::string& Text) {
  TStringList List;
  List.SetText(Text);
  return Lines(List);
}

TEST(StringListText, SplitsAtEveryKindOfLineBreak) {
  EXPECT_EQ(SplitText("a\r\nb\rc\nd"), (TLines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitText("a\r\n\r\nb"), (TLines{"a", "", "b"}));
  EXPECT_EQ(SplitText("a\n\rb"), (TLines{"a", "", "b"}));  // LF then CR: two breaks
  EXPECT_EQ(SplitText("\r\nx=1"), (TLines{"", "x=1"}));    // a leading break: an empty line
}

TEST(StringListText, TrailingBreakAddsNoLine) {
  EXPECT_EQ(SplitText("a\r\n"), (TLines{"a"}));
  EXPECT_EQ(SplitText("a\r"), (TLines{"a"}));
  EXPECT_EQ(SplitText("a\n\n"), (TLines{"a", ""}));
  EXPECT_EQ(SplitText(""), TLines{});
}

TEST(StringListText, JoinEndsEveryLineWithCrLf) {
  TStringList List;
  EXPECT_EQ(List.Text(), "");
  List.Add("one");
  List.Add("");
  List.Add("three");
  EXPECT_EQ(List.Text(), "one\r\n\r\nthree\r\n");
  TStringList Copy;
  Copy.SetText(List.Text());
  EXPECT_EQ(Lines(Copy), Lines(List));
}

TEST(StringListCommaText, QuotesWhatNeedsIt) {
  TStringList List;
  for (const char* S : {"plain", "with blank", "a,b", "say \"hi\"", ""}) List.Add(S);
  EXPECT_EQ(List.CommaText(), "plain,\"with blank\",\"a,b\",\"say \"\"hi\"\"\",");
  TStringList Single;
  Single.Add("");
  EXPECT_EQ(Single.CommaText(), "\"\"");
}

TEST(StringListCommaText, ParsesBackWhatItWrote) {
  TStringList List;
  for (const char* S : {"plain", "with blank", "a,b", "say \"hi\"", "", "end"}) List.Add(S);
  TStringList Parsed;
  Parsed.SetCommaText(List.CommaText());
  EXPECT_EQ(Lines(Parsed), Lines(List));
}

TEST(StringListCommaText, DelphiParsingRules) {
  TStringList List;
  List.SetCommaText(" a b ,c,,\"d,e\" , \"unterminated");
  EXPECT_EQ(Lines(List), (TLines{"a", "b", "c", "", "d,e", "unterminated"}));
  List.SetCommaText("x,");
  EXPECT_EQ(Lines(List), (TLines{"x", ""}));
  List.SetCommaText(std::string("a\0b", 3));
  EXPECT_EQ(Lines(List), (TLines{"a", "b"}));
  List.SetCommaText("");
  EXPECT_EQ(List.Count(), 0);
}

TEST(StringListDelimitedText, OwnDelimiterAndQuote) {
  TStringList List;
  List.SetDelimiter(';');
  List.SetQuoteChar('\'');
  List.SetDelimitedText("one;'two;2';'it''s'");
  EXPECT_EQ(Lines(List), (TLines{"one", "two;2", "it's"}));
  EXPECT_EQ(List.DelimitedText(), "one;'two;2';'it''s'");
}

TEST(StringListFile, SaveWritesCrLfAndLoadReadsAnyBreak) {
  vesktest::TempDir Dir;
  std::string Path = (Dir.Path() / "list.txt").string();
  TStringList List;
  List.Add("first");
  List.Add("zweite \xC3\xA4");
  List.SaveToFile(Path);
  EXPECT_EQ(vesktest::ReadFileText(Path), "first\r\nzweite \xC3\xA4\r\n");

  std::ofstream(Path, std::ios::binary) << "\xEF\xBB\xBFu\nv\rw\r\n";
  TStringList Loaded;
  Loaded.Add("replaced");
  Loaded.LoadFromFile(Path);
  EXPECT_EQ(Lines(Loaded), (TLines{"u", "v", "w"}));
}

TEST(StringListFile, ErrorsNameTheFile) {
  vesktest::TempDir Dir;
  std::string Missing = (Dir.Path() / "missing.txt").string();
  TStringList List;
  List.Add("kept");
  try {
    List.LoadFromFile(Missing);
    FAIL() << "no error";
  } catch (const EFOpenError& E) {
    EXPECT_NE(E.Message().find(Missing), std::string::npos) << E.Message();
  }
  EXPECT_EQ(Lines(List), (TLines{"kept"}));
  EXPECT_THROW(List.SaveToFile((Dir.Path() / "no/such/dir.txt").string()), EFCreateError);
}

}  // namespace
