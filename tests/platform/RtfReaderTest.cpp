// The RTF tokenizer, reader, text extraction and escaper on hand-made cases; documents of other
// writers are read through the import in the filters' corpus tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RtfEscaper.h"
#include "RtfReader.h"
#include "RtfText.h"
#include "RtfTokenizer.h"

namespace {

struct TCase {
  const char* Name;
  std::string Input, Expected;
};

// Each token as kind letter and value: "{", "}", "\word(param)", "\sym", "'xx", "T:text", "B:n".
std::string Dump(std::string_view Rtf) {
  TRtfTokenizer Tokenizer(Rtf);
  std::string Out;
  for (TRtfToken Token; Tokenizer.Next(Token); Out += ' ') {
    const std::string Value(Token.Value);
    switch (Token.Kind) {
      case TRtfTokenKind::GroupOpen:
      case TRtfTokenKind::GroupClose:
        Out += Value;
        break;
      case TRtfTokenKind::ControlWord:
      case TRtfTokenKind::ControlSymbol:
        Out += "\\" + Value;
        if (Token.Kind == TRtfTokenKind::ControlWord && (Token.HasParam || Token.Is("bin")))
          Out += "(" + std::to_string(Token.Param) + ")";
        break;
      case TRtfTokenKind::HexByte:
        Out += "'" + std::to_string(Token.Byte);
        break;
      case TRtfTokenKind::Text:
        Out += "T:" + Value;
        break;
      case TRtfTokenKind::Binary:
        Out += "B:" + std::to_string(Value.size());
    }
  }
  return Out.empty() ? Out : Out.substr(0, Out.size() - 1);
}

TEST(RtfTokenizer, SplitsWordsSymbolsEscapesAndBinaryAndStopsAtTheEnd) {
  const std::vector<TCase> Cases = {
      {"words and params", "{\\rtf1\\fs-24 x}", "{ \\rtf(1) \\fs(-24) T:x }"},
      {"space ends a word", "\\b  two", "\\b T: two"},
      {"minus without digit", "\\li- x", "\\li T:- x"},
      {"huge param clamped", "\\f99999999999999 x", "\\f(2147483647) T:x"},
      {"huge negative param", "\\f-99999999999999", "\\f(-2147483647)"},
      {"symbols", "\\{\\}\\\\\\~\\*", "\\{ \\} \\\\ \\~ \\*"},
      {"hex byte", "\\'e9\\'4A", "'233 '74"},
      {"cut hex", "a\\'4", "T:a \\'"},
      {"bad hex", "\\'zz", "\\' T:zz"},
      {"backslash at the end", "x\\", "T:x \\"},
      {"backslash line break is par", "a\\\nb", "T:a \\par T:b"},
      {"line breaks ignored", "a\r\nb\n", "T:a T:b"},
      {"binary", "\\bin3 {}\\x", "\\bin(3) B:3 T:x"},
      {"binary without space", "\\bin2ab}", "\\bin(2) B:2 }"},
      {"cut binary", "\\bin100 abc", "\\bin(3) B:3"},
      {"negative binary", "\\bin-5 ab", "\\bin(0) B:0 T:ab"},
  };
  for (const TCase& Case : Cases) EXPECT_EQ(Dump(Case.Input), Case.Expected) << Case.Name;
}

TEST(RtfReader, TextOfDocumentsInTheirCodePagesIncludingMalformedOnes) {
  const std::vector<TCase> Cases = {
      {"paragraphs", "{\\rtf1 a\\par b\\par}", "a\nb"},
      {"empty paragraph kept", "{\\rtf1 x\\par\\par}", "x\n"},
      {"breaks", "{\\rtf1 a\\line b\\tab c\\cell d\\row e}", "a\nb\tc\td\ne"},
      {"symbols", "{\\rtf1 \\{\\}\\\\\\~\\emdash\\-x}", "{}\\\u00a0\u2014x"},
      {"ansi escapes", "{\\rtf1\\ansi\\ansicpg1252 \\'e9\\'80\\'81}", "\u00e9\u20ac\u0081"},
      {"raw 8-bit bytes among ASCII", "{\\rtf1 ab\x93q\x94 z\xe9}", "ab\u201cq\u201d z\u00e9"},
      {"control characters in text dropped", "{\\rtf1 a\x01\x1f b\tc\x7f}", "a b\tc\x7f"},
      {"uc1 skips the fallback", "{\\rtf1 \\u233\\'e9 x}", "\u00e9 x"},
      {"uc2 skips two", "{\\rtf1\\uc2 \\u233 ab c}", "\u00e9 c"},
      {"uc0 skips nothing", "{\\rtf1\\uc0 \\u233 ab}", "\u00e9ab"},
      {"uc is group scoped", "{\\rtf1 {\\uc0 \\u233 x}\\u233 yz}", "\u00e9x\u00e9z"},
      {"brace ends skipping", "{\\rtf1\\uc3 \\u233 a{b}c}", "\u00e9bc"},
      {"control word counts as one", "{\\rtf1 \\u233\\b x}", "\u00e9x"},
      {"negative u", "{\\rtf1 \\u-3856?}", "\uf0f0"},
      {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
      {"lone surrogates", "{\\rtf1 \\u-10179?x\\u-8704?}", "\ufffdx\ufffd"},
      // LibreOffice's form: unsigned halves, a skip count changed between them.
      {"surrogate pair around \\uc", "{\\rtf1 \\uc0 \\u55357\\uc1 \\u56832\\'3f}", "\U0001F600"},
      {"unknown star skipped", "{\\rtf1 a{\\*\\foo b{c}}d}", "ad"},
      {"known hidden", "{\\rtf1 {\\info{\\title t}}{\\pict 0102}x}", "x"},
      {"field result shown", "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt t}}}", "t"},
      {"binary is no text", "{\\rtf1 a\\bin3 b}c d}", "a d"},
      {"after the document", "{\\rtf1 a}b", "a"},
      {"unbalanced open", "{\\rtf1 a{\\b b", "ab"},
      {"cut escape", "{\\rtf1 a\\'4", "a"},
      {"control bytes dropped", std::string("{\\rtf1 a\x01\0b\tc}", 13), "ab\tc"},
      {"plain text", "caf\xe9\r\nline\n", "caf\u00e9\nline"},
      {"plain utf-8", "\xc3\xa9t\xc3\xa9", "\u00e9t\u00e9"},
      {"font charset", "{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}}\\f0\\'e0}", "\u0430"},
      {"default font", "{\\rtf1\\deff1{\\fonttbl{\\f1\\fcharset161 G;}}\\'e1}", "\u03b1"},
      {"plain returns to default",
       "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\f1\\plain\\'e0}", "\u00e0"},
      {"ansicpg", "{\\rtf1\\ansi\\ansicpg1251 \\'e0}", "\u0430"},
      {"double byte", "{\\rtf1{\\fonttbl{\\f0\\fcharset128 M;}}\\f0\\'93\\'fa\\'96\\'7b}",
       "\u65e5\u672c"},
      {"cut double byte", "{\\rtf1{\\fonttbl{\\f0\\fcharset128 M;}}\\f0\\'93}", "\ufffd"},
      {"font cpg", "{\\rtf1{\\fonttbl{\\f0\\cpg1253 G;}}\\f0\\'e1}", "\u03b1"},
      {"unknown code page as 1252", "{\\rtf1\\ansicpg77777 \\'e9}", "\u00e9"},
      {"utf-16 code page as 1252", "{\\rtf1\\ansicpg1201 ab\\'e9}", "ab\u00e9"},
  };
  for (const TCase& Case : Cases) EXPECT_EQ(RtfToText(Case.Input), Case.Expected) << Case.Name;
  // Deep nesting needs no recursion.
  const std::string Deep = "{\\rtf1 " + std::string(100000, '{');
  EXPECT_EQ(RtfToText(Deep + "x" + std::string(100000, '}') + "}"), "x");
  EXPECT_EQ(RtfToText(Deep), "");
}

TEST(RtfReader, FontTablesAndColorTables) {
  struct TTables : TRtfHandler {
  } Handler;
  TRtfReader Reader(Handler);
  Reader.Read(
      "{\\rtf1\\deff2{\\fonttbl{\\f2\\fswiss\\fprq2\\fcharset0 Arial{\\*\\panose 020b};}"
      "\\f3\\froman Times New Roman;{\\f2 Second;}{\\f4\\fcharset204\\'c0\\'e1\\{\\\\\\};}{\\f5 "
      "Cut}}"
      "{\\colortbl;\\red255\\green0\\blue300;\\red1;\\green2}{\\colortbl\\red9;}x}");
  const TRtfDocument& Doc = Reader.Document();
  EXPECT_EQ(Doc.DefaultFont, 2);
  ASSERT_EQ(Doc.Fonts.size(), 4u);
  EXPECT_EQ(Doc.Fonts.at(2).Name, "Arial");
  EXPECT_EQ(Doc.Fonts.at(2).Family, "fswiss");
  EXPECT_EQ(Doc.Fonts.at(2).Pitch, 2);
  EXPECT_EQ(Doc.Fonts.at(3).Name, "Times New Roman");
  EXPECT_EQ(Doc.Fonts.at(4).Name, "\u0410\u0431{\\}");
  EXPECT_EQ(Doc.Fonts.at(5).Name, "Cut");
  // Entry 0 is "auto"; the entry without ";" is none; the second table does not count.
  std::vector<TRtfColor> Colors = {{}, {false, 255, 0, 255}, {false, 1, 0, 0}};
  EXPECT_EQ(Doc.Colors, Colors);
}

TEST(RtfEscaper, WritesSevenBitText) {
  TRtfEscaper Escaper;
  TRtfEscaper UnicodeOnly;
  UnicodeOnly.UseCodePage1252 = false;
  UnicodeOnly.FallbackCount = 2;
  TRtfEscaper NoFallback;
  NoFallback.FallbackCount = 0;
  struct TEscapeCase {
    const char* Name;
    const TRtfEscaper& Escaper;
    std::string Input, Expected;
  };
  const std::vector<TEscapeCase> Cases = {
      {"specials", Escaper, "a\\b{c}\td", "a\\\\b\\{c\\}\\tab d"},
      {"nul dropped", Escaper, std::string("a\0b", 3), "ab"},
      {"code page 1252", Escaper, "\u00e9\u20ac\u0178", "\\'e9\\'80\\'9f"},
      {"other characters", Escaper, "\u0416\uffff", "\\u1046\\'3f\\u-1\\'3f"},
      {"surrogate pair", Escaper, "\U0001F600", "\\u-10179\\'3f\\u-8704\\'3f"},
      {"unassigned 1252 byte", Escaper, "\u0081", "\\u129\\'3f"},
      {"control character", Escaper, "\x01", "\\u1\\'3f"},
      {"unicode only", UnicodeOnly, "\u00e9", "\\u233\\'3f\\'3f"},
      {"no fallback", NoFallback,
       "\u0416"
       "1",
       "\\u1046 1"},
      {"ill-formed utf-8", Escaper, "\xff", "\\u-3\\'3f"},
  };
  for (const TEscapeCase& Case : Cases) {
    std::string Out = Case.Escaper.Escape(Case.Input);
    EXPECT_EQ(Out, Case.Expected) << Case.Name;
    for (char C : Out) EXPECT_LT(static_cast<unsigned char>(C), 0x80) << Case.Name;
    // What was written reads back as the text (a NUL excepted).
    std::string Back = RtfToText("{\\rtf1\\ansi\\uc" + std::to_string(Case.Escaper.FallbackCount) +
                                 " " + Out + "}");
    std::string Want = Case.Input;
    std::erase(Want, '\0');
    if (std::string_view(Case.Name) == "ill-formed utf-8") Want = "\ufffd";
    if (std::string_view(Case.Name) == "control character") Want = "\x01";
    EXPECT_EQ(Back, Want) << Case.Name;
  }
  EXPECT_EQ(PlainTextToRtf("a\r\n{b}\n\xe9"),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1 a\\par\r\n\\{b\\}\\par\r\n\\'e9}");
}

}  // namespace
