#include <gtest/gtest.h>

#include <fstream>

#include "ErrorOf.h"
#include "FileText.h"
#include "ListLines.h"
#include "StringList.h"
#include "TempDir.h"

namespace {

using TLines = std::vector<std::string>;

using vesktest::LinesOf;

TLines SplitText(const std::string& Text) {
  TStringList List;
  List.SetText(Text);
  return LinesOf(List);
}

// Every kind of line break splits; LF then CR is two breaks, a trailing break adds no line.
TEST(StringListText, SplitsAtEveryKindOfLineBreak) {
  const struct {
    const char* Text;
    TLines Lines;
  } Cases[] = {{"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
               {"a\r\n\r\nb", {"a", "", "b"}},
               {"a\n\rb", {"a", "", "b"}},
               {"\r\nx=1", {"", "x=1"}},
               {"a\r\n", {"a"}},
               {"a\r", {"a"}},
               {"a\n\n", {"a", ""}},
               {"", {}}};
  for (const auto& Case : Cases) EXPECT_EQ(SplitText(Case.Text), Case.Lines) << Case.Text;
}

TEST(StringListCommaText, QuotesWhatNeedsItAndParsesByDelphisRules) {
  TStringList List;
  for (const char* S : {"plain", "with blank", "a,b", "say \"hi\"", ""}) List.Add(S);
  EXPECT_EQ(List.CommaText(), "plain,\"with blank\",\"a,b\",\"say \"\"hi\"\"\",");
  List.Add("end");
  TStringList Parsed;
  Parsed.SetCommaText(List.CommaText());
  EXPECT_EQ(LinesOf(Parsed), LinesOf(List));
  TStringList Single;
  Single.Add("");
  EXPECT_EQ(Single.CommaText(), "\"\"");
  // Text of other writers is parsed by Delphi's rules.
  List.SetCommaText(" a b ,c,,\"d,e\" , \"unterminated");
  EXPECT_EQ(LinesOf(List), (TLines{"a", "b", "c", "", "d,e", "unterminated"}));
  List.SetCommaText("x,");
  EXPECT_EQ(LinesOf(List), (TLines{"x", ""}));
  List.SetCommaText(std::string("a\0b", 3));
  EXPECT_EQ(LinesOf(List), (TLines{"a", "b"}));
  List.SetCommaText("");
  EXPECT_EQ(List.Count(), 0);
  // A delimiter and a quote of its own.
  List.SetDelimiter(';');
  List.SetQuoteChar('\'');
  List.SetDelimitedText("one;'two;2';'it''s'");
  EXPECT_EQ(LinesOf(List), (TLines{"one", "two;2", "it's"}));
  EXPECT_EQ(List.DelimitedText(), "one;'two;2';'it''s'");
}

TEST(StringListFile, SaveWritesCrLfLoadReadsAnyBreakAndErrorsNameTheFile) {
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
  EXPECT_EQ(LinesOf(Loaded), (TLines{"u", "v", "w"}));
  // Errors name the file; a failed load keeps the lines.
  std::string Missing = (Dir.Path() / "missing.txt").string();
  EXPECT_PRED_FORMAT2(testing::IsSubstring, Missing,
                      vesktest::ErrorOf<EFOpenError>([&] { Loaded.LoadFromFile(Missing); }));
  EXPECT_EQ(LinesOf(Loaded), (TLines{"u", "v", "w"}));
  EXPECT_THROW(List.SaveToFile((Dir.Path() / "no/such/dir.txt").string()), EFCreateError);
}

}  // namespace
