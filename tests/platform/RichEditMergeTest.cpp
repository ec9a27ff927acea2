// The merge of RTF fragments into one document, read back by the reader: text, paragraphs and
// code pages; and the merge of other writers' files against its golden file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileText.h"
#include "RichEditMerge.h"
#include "RtfText.h"

namespace {

const std::string Arial = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";

TEST(RichEditMerge, ParagraphsOfTheFragmentsASingleFragmentUnchangedAndOtherWritersFiles) {
  struct TMergeCase {
    const char* Name;
    std::vector<std::string> Fragments;
    std::string Text;
  };
  const std::vector<TMergeCase> Cases = {
      {"no empty paragraph between", {Arial + "a\\par}", Arial + "b\\par}"}, "a\nb"},
      {"an empty paragraph stays", {Arial + "x\\par\\par}", Arial + "y}"}, "x\n\ny"},
      {"without paragraph marks", {Arial + "a}", Arial + "b}", Arial + "c}"}, "a\nb\nc"},
      {"trailing text after the mark", {Arial + "a\\par b}", Arial + "c}"}, "a\nb\nc"},
      {"plain text fragments",
       {"one\r\ntwo\r\n", Arial + "three\\par}", "four"},
       "one\ntwo\nthree\nfour"},
      {"cut fragment", {Arial + "a{\\b b", Arial + "c}"}, "ab\nc"},
      {"cut in the header", {Arial + "a}", "{\\rtf1 {\\fonttbl{\\f0 T;}{\\bin"}, "a"},
      {"fallback owed at the cut", {Arial + "\\u233", Arial + "c}"}, "\u00e9\nc"},
      {"fallback owed at the end", {Arial + "\\uc2\\u233 x}", Arial + "c}"}, "\u00e9\nc"},
      {"other code page",
       {Arial + "a}", "{\\rtf1\\ansi\\ansicpg1251 \\'e0\\'e1}"},
       "a\n\u0430\u0431"},
      {"double-byte font",
       {Arial + "a}", "{\\rtf1{\\fonttbl{\\f0\\fcharset128 M;}}\\f0\\'93\\'fa}"},
       "a\n\u65e5"},
      {"default font changed in the body",
       {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 CE;}}a}",
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 CE;}{\\f1 Arial;}}x\\deff1 \\'e8}"},
       "a\nx\u00e8"},
      {"tables in a later body",
       {Arial + "a}", Arial + "b{\\fonttbl{\\f0 X;}}{\\info t}c}"},
       "a\nbc"},
      {"a dropped table ends the fallbacks",
       {Arial + "a}", Arial + "\\u233{\\colortbl;} b}"},
       "a\n\u00e9 b"},
  };
  for (const TMergeCase& Case : Cases) {
    std::string Merged = RichEditMerge(Case.Fragments);
    EXPECT_EQ(RtfToText(Merged), Case.Text) << Case.Name << "\n" << Merged;
  }
  for (std::string Fragment : {"{\\rtf1 x\\par", "not rtf", ""}) {
    EXPECT_EQ(RichEditMerge({Fragment}), Fragment);
  }
  EXPECT_EQ(RichEditMerge({}), "");
  // Later fragments' fonts and colours are renumbered into the first one's tables and their style
  // references dropped; the golden merge of these files holds every run's font and colour.
  std::vector<std::string> Fragments;
  std::string Text;
  for (const char* Name :
       {"richedit.rtf", "pandoc-writer.rtf", "libreoffice-style.rtf", "codepages.rtf"}) {
    Fragments.push_back(vesktest::ReadFileText(std::string(VESK_TEST_DATA_DIR) + "/rtf/" + Name));
    Text += (Text.empty() ? "" : "\n") + RtfToText(Fragments.back());
  }
  std::string Merged = RichEditMerge(Fragments);
  EXPECT_EQ(RtfToText(Merged), Text);
  EXPECT_EQ(Merged, vesktest::ReadFileText(std::string(VESK_TEST_DATA_DIR) + "/rtf/merged.rtf"));
}

}  // namespace
