// The merge of RTF fragments into one document, read back by the reader: text, paragraphs, the
// font and colour of each run, code pages; and the merged golden files read by the same reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileText.h"
#include "RichEditMerge.h"
#include "RtfReader.h"
#include "RtfText.h"

namespace {

// Each shown run of text with the name of its font and its colour as "#rrggbb" ("auto").
class TRunRecorder : public TRtfHandler {
 public:
  void Token(const TRtfReader&, const TRtfToken& Token, TRtfRole Role) override {
    if (Role != TRtfRole::Control) return;
    if (Token.Is("cf")) FColor = Token.Param;
    if (Token.Is("plain")) FColor = 0;
  }
  void Text(const TRtfReader& Reader, std::string_view Utf8) override {
    if (Reader.Hidden() || Utf8.empty()) return;
    const TRtfDocument& Doc = Reader.Document();
    auto Font = Doc.Fonts.find(Reader.Font());
    std::string Run = (Font == Doc.Fonts.end() ? "?" : Font->second.Name) + "/" + ColorName(Doc);
    Run += ":" + std::string(Utf8);
    if (!Runs.empty() &&
        Runs.back().substr(0, Runs.back().find(':')) == Run.substr(0, Run.find(':'))) {
      Runs.back() += Utf8;
    } else {
      Runs.push_back(Run);
    }
  }

  std::vector<std::string> Runs;

 private:
  std::string ColorName(const TRtfDocument& Doc) const {
    if (FColor <= 0 || static_cast<size_t>(FColor) >= Doc.Colors.size()) return "auto";
    const TRtfColor& C = Doc.Colors[static_cast<size_t>(FColor)];
    char Name[8];
    std::snprintf(Name, sizeof Name, "#%02x%02x%02x", C.Red, C.Green, C.Blue);
    return Name;
  }

  int32_t FColor = 0;
};

std::vector<std::string> RunsOf(const std::string& Rtf) {
  TRunRecorder Recorder;
  TRtfReader Reader(Recorder);
  Reader.Read(Rtf);
  return Recorder.Runs;
}

const std::string Arial = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";

TEST(RichEditMerge, ParagraphsOfTheFragmentsAndASingleFragmentUnchanged) {
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
}

TEST(RichEditMerge, EachRunKeepsItsFontAndColour) {
  std::string First =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
      "a\\cf1 r\\par}";
  std::string Second =
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times;}}"
      "{\\colortbl;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}{\\stylesheet{\\s15 H;}}"
      "\\s15 t\\f0 a\\cf1 b\\cf2 r\\plain t\\par}";
  std::string Merged = RichEditMerge({First, Second});
  EXPECT_EQ(RunsOf(Merged), (std::vector<std::string>{
                                "Arial/auto:a", "Arial/#ff0000:r", "Times/auto:t", "Arial/auto:a",
                                "Arial/#0000ff:b", "Arial/#ff0000:r", "Times/auto:t"}))
      << Merged;
  // The second fragment went into a group of its own, without its style reference, after the
  // first one's paragraph mark was left out.
  EXPECT_NE(Merged.find("a\\cf1 r\\par\r\n{\\pard\\plain\\uc1 \\f1 "), std::string::npos) << Merged;
  EXPECT_EQ(Merged.find("\\s15"), std::string::npos) << Merged;
  EXPECT_EQ(Merged.substr(Merged.size() - 7), "t\\par}}");
}

TEST(RichEditMerge, TextOfAnotherCodePageBecomesUnicode) {
  std::string Merged = RichEditMerge(
      {Arial + "a}",
       "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}\\uc2 \\'e0 \\u1073\\'e1\\'e1}"});
  EXPECT_NE(Merged.find("\\u1072\\'3f\\'3f \\u1073\\'e1\\'e1"), std::string::npos) << Merged;
  EXPECT_EQ(Merged.find("\\ansicpg1251"), std::string::npos) << Merged;
  EXPECT_EQ(RtfToText(Merged), "a\n\u0430 \u0431");
}

TEST(RichEditMerge, FilesOfOtherWriters) {
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
