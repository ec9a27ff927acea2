#include <gtest/gtest.h>

#include <string>

#include "Corpus.h"
#include "FilterFixture.h"

namespace {

using filtertest::Describe;

class NiRtf : public filtertest::FilterTest {};

std::string Imported(const std::string& Rtf) {
  return Describe(corpustest::ImportRtf(Rtf));
}

struct TCase {
  const char* Name;
  std::string Rtf;
  std::string Expected;
};

void Check(const TCase* Begin, const TCase* End) {
  for (const TCase* c = Begin; c != End; ++c) EXPECT_EQ(Imported(c->Rtf), c->Expected) << c->Name;
}

// The header every case shares: Arial as font 0, Times New Roman 1, Courier New 2, a font of its
// own 3, and colours red, dark blue, orange.
const std::string Head =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
    "Roman;}{\\f2\\fmodern Courier New;}{\\f3\\fswiss\\fprq2 Liberation Sans;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;\\red255\\green165\\blue0;}";

}  // namespace

TEST_F(NiRtf, ParagraphsRunsFontsAndColours) {
  const TCase cases[] = {
      {"paragraphs, none before the first, none after the last mark",
       Head + "one\\par two\\line three\\par}", "{f1 s12}one|P|{f1 s12}two|P|{f1 s12}three"},
      {"empty paragraphs kept", Head + "a\\par\\par b}", "{f1 s12}a|P|P|{f1 s12}b"},
      {"a page break ends its paragraph", Head + "a\\page b}", "{f1 s12}a|P|{f1 s12}b"},
      {"attributes on and off",
       Head + "\\b bold\\b0 {\\i it}{\\ul u}{\\ulw w}{\\strike s}x\\ulnone}",
       "{f1 s12 b}bold|{f1 s12 i}it|{f1 s12 u}uw|{f1 s12 s}s|{f1 s12}x"},
      {"super, sub, nosupersub", Head + "{\\super 2}{\\sub i}\\super a\\nosupersub b}",
       "{f1 s12 super}2|{f1 s12 sub}i|{f1 s12 super}a|{f1 s12}b"},
      {"effects", Head + "{\\shad s}{\\embo e}{\\impr i}}",
       "{f1 s12 shad}s|{f1 s12 embo}e|{f1 s12 impr}i"},
      {"sizes in half points", Head + "{\\fs21 a}{\\fs9 b}{\\fs0 c}{\\fs1000 d}}",
       "{f1 s11}a|{f1 s5}b|{f1 s12}c|{f1 s255}d"},
      {"fonts: the fixed faces by name, others in a table",
       Head + "{\\f1 t}{\\f2 c}{\\f3 l}{\\f9 x}}",
       "F(5 Liberation Sans)|{f0 s12}t|{f4 s12}c|{f5 s12}l|{f1 s12}x"},
      {"a font named only by control characters: its family's fixed face",
       "{\\rtf1{\\fonttbl{\\f0\\froman\\u1;}}\\f0 x}", "{f0 s12}x"},
      {"a fixed face's name once control characters are dropped: that face",
       "{\\rtf1{\\fonttbl{\\f0\\fnil Cour\x01\tier New;}}\\f0 x}", "{f4 s12}x"},
      {"colours to the nearest Notes colour, auto black",
       Head + "{\\cf1 r}{\\cf2 b}{\\cf3 o}{\\cf0 a}{\\cf7 z}}",
       "{f1 s12 c2}r|{f1 s12 c10}b|{f1 s12 c6}o|{f1 s12}az"},
      {"plain resets", Head + "\\b\\fs40\\cf1\\f2 x\\plain y}", "{f4 s20 c2 b}x|{f1 s12}y"},
      {"hidden text, headers, footnotes and comments dropped",
       Head + "a{\\v hidden}{\\header h}{\\footnote f}{\\*\\annotation c}{\\*\\unknown u}b}",
       "{f1 s12}ab"},
      {"tabs kept", Head + "a\\tab b}", "{f1 s12}a\tb"},
      {"not RTF: plain text", "line one\r\nline two", "line one|P|line two"},
      {"cut in the middle", Head + "{\\b bo", "{f1 s12 b}bo"},
      {"unbalanced closing braces", Head + "a}}}b", "{f1 s12}a"},
  };
  Check(std::begin(cases), std::end(cases));
  // The library loaded as the settings name it (the other cases call the converter directly).
  TImport result = Import("NIRTF", Head + "{\\b x}\\par y}");
  ASSERT_EQ(result.Status, NOERROR);
  EXPECT_EQ(Describe(result.Output), "{f1 s12 b}x|P|{f1 s12}y");
}

TEST_F(NiRtf, ParagraphDefinitionsBeforeTheirFirstReference) {
  const TCase cases[] = {
      {"alignment", Head + "\\qc c\\par\\pard\\qr r\\par\\pard\\qj j\\par\\pard l}",
       "[c]|{f1 s12}c|P|[r]|{f1 s12}r|P|[b]|{f1 s12}j|P|{f1 s12}l"},
      {"indents", Head + "\\li720\\fi-360\\ri1440 x}", "[l2160 f1800 r2880]|{f1 s12}x"},
      {"spacing", Head + "\\sl360\\slmult1\\sb240\\sa120 x\\par\\pard\\sl480 y}",
       "[sp1/2/1]|{f1 s12}x|P|[sp2/0/0]|{f1 s12}y"},
      {"tabs", Head + "\\tx720\\tx2880 a\\tab b}", "[t720 t2880]|{f1 s12}a\tb"},
      {"bullets from the list text", Head + "\\ls1{\\listtext \\'95\\tab}item\\par}",
       "[bullet]|{f1 s12}item"},
      {"numbers from the list text",
       Head + "\\ls2{\\listtext 1.\\tab}one\\par\\ls2{\\listtext iv)\\tab}four}",
       "[numbered]|{f1 s12}one|P|[numbered]|{f1 s12}four"},
      {"old-style numbering words", Head + "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}x\\par\\pard y}",
       "[numbered]|{f1 s12}x|P|{f1 s12}y"},
      {"a style's formatting applied, words after it win",
       Head +
           "{\\stylesheet{\\s0 Normal;}{\\s1\\qc\\b\\fs32 Heading 1;}{\\*\\cs2\\i\\cf1 Emphasis;}}"
           "\\pard\\s1 Title\\par\\pard\\s1\\qr\\b0 right\\par\\pard\\s0 {\\cs2 em}}",
       "[c]|{f1 s16 b}Title|P|[r]|{f1 s16}right|P|{f1 s12 c2 i}em"},
      {"lists by the list table, by level; one it does not name is bulleted",
       Head + "{\\*\\listtable{\\list{\\listlevel\\levelnfc23}{\\listlevel\\levelnfc0}\\listid7}"
              "{\\list{\\listlevel\\levelnfc4}\\listid8}}{\\*\\listoverridetable{\\listoverride"
              "\\listid7\\ls1}{\\listoverride\\listid8\\ls2}}\\pard\\ls1 a\\par\\pard\\ls1\\ilvl1 "
              "b\\par\\pard\\ls2{\\listtext \\'95\\tab}c\\par\\pard\\ls3 d}",
       "[bullet]|{f1 s12}a|P|[numbered]|{f1 s12}b|P|[numbered]|{f1 s12}c|P|[bullet]|{f1 s12}d"},
      {"a style based on another takes its formatting, before or after its own words",
       Head + "{\\stylesheet{\\s1\\qc\\b Base;}{\\s2\\sbasedon1\\i Child;}{\\s3\\i\\sbasedon1 "
              "After;}}\\pard\\s2 x\\par\\pard\\s3 y}",
       "[c]|{f1 s12 b i}x|P|[c]|{f1 s12 b i}y"},
      {"pandoc's list text with a paragraph of its own",
       Head + "{\\pard\\ql\\li360\\fi-360{\\pntext\\pard\\ql\\f0\\bullet\\tx360\\tab}it\\par}}",
       "[l1800 f1440 bullet]|{f1 s12}it"},
  };
  Check(std::begin(cases), std::end(cases));
}

TEST_F(NiRtf, LinksTablesAndFields) {
  const TCase cases[] = {
      {"hyperlink",
       Head + "see {\\field{\\*\\fldinst{HYPERLINK "
              "\"https://x.example/?a=1&b=2\"}}{\\fldrslt{\\ul\\cf1 here}}} now}",
       "{f1 s12}see |L11(https://x.example/?a=1&b=2)|{f1 s12 c2 u}here|/L|{f1 s12} now"},
      {"hyperlink with a bookmark and no text",
       Head + "{\\field{\\*\\fldinst HYPERLINK \"a.html\" \\\\l \"top\"}{\\fldrslt }}}",
       "L11(a.html#top)|{f1 s12}a.html#top|/L"},
      {"a link ends with its paragraph",
       Head + "{\\field{\\*\\fldinst HYPERLINK mailto:a@b.c}{\\fldrslt a\\par b}}}",
       "L11(mailto:a@b.c)|{f1 s12}a|/L|P|{f1 s12}b"},
      {"a field's argument with escaped quotes and backslashes",
       Head +
           "{\\field{\\*\\fldinst HYPERLINK \"https://x.example/?q=\\\\\"a\\\\\"&p=c:\\\\\\\\d\"}"
           "{\\fldrslt t}}}",
       "L11(https://x.example/?q=%22a%22&p=c:\\d)|{f1 s12}t|/L"},
      {"a quoted argument starting with a backslash: a UNC path, no switch",
       Head + R"({\field{\*\fldinst HYPERLINK "\\\\\\\\srv\\\\x"}{\fldrslt t}}})",
       R"(L11(\\srv\x)|{f1 s12}t|/L)"},
      {"other fields keep their result", Head + "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}}",
       "{f1 s12}7"},
      {"a table",
       Head + "before\\par\\trowd\\trleft0\\clcbpat1\\clbrdrt\\brdrs\\cellx1000\\cellx4000"
              "\\pard\\intbl a\\cell b\\par c\\cell\\row\\pard after}",
       "{f1 s12}before|P|T{|C0,0 w7200 bg2 border16|{f1 s12}a|C0,1 w21600|{f1 s12}b|P|{f1 "
       "s12}c|}T|P|{f1 s12}after"},
      {"two rows, an empty cell, the table at the end",
       Head + "\\trowd\\cellx100\\cellx200\\intbl "
              "a\\cell\\cell\\row\\trowd\\cellx100\\cellx200\\intbl\\cell d\\cell\\row}",
       "T{|C0,0 w14400|{f1 s12}a|C0,1 w14400|C1,0 w14400|C1,1 w14400|{f1 s12}d|}T"},
      {"text right before a table ends its paragraph",
       Head + "x\\trowd\\cellx100\\intbl a\\cell\\row}", "{f1 s12}x|P|T{|C0,0 w28800|{f1 s12}a|}T"},
      {"a quote in a URL encoded, control characters dropped",
       Head + "{\\field{\\*\\fldinst HYPERLINK a\\'08\"b}{\\fldrslt t}}}",
       "L11(a%22b)|{f1 s12}t|/L"},
      {"nested table flattened", Head + "\\trowd\\cellx500\\intbl x\\nestcell y\\cell\\row}",
       "T{|C0,0 w28800|{f1 s12}x|P|{f1 s12}y|}T"},
  };
  Check(std::begin(cases), std::end(cases));
}

namespace {

// A PNG of 2 x 3 pixels as far as its header goes, and the same as RTF hex.
const std::string Png =
    std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x03\x08\x02\0\0\0", 29) +
    std::string("\x12\x34\x56\x78\0\0\0\0IEND\xae\x42\x60\x82", 16);

std::string Hex(const std::string& Bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : Bytes)
    hex += {Digits[c >> 4], Digits[c & 15], hex.size() % 64 == 62 ? '\n' : ' '};
  return hex;
}

}  // namespace

TEST_F(NiRtf, PngAndJpegPicturesWithTheirBytesUnchanged) {
  const std::string png = Hex(Png);
  const std::string bin = "\\bin" + std::to_string(Png.size()) + " " + Png;
  const TCase cases[] = {
      {"goal size", Head + "{\\pict\\pngblip\\picw2\\pich3\\picwgoal600\\pichgoal900 " + png + "}}",
       "G600x900|I4 2x3 45/1|S45"},
      {"scaled",
       Head + "{\\pict\\pngblip\\picwgoal600\\pichgoal900\\picscalex50\\picscaley200 " + png + "}}",
       "G300x1800|I4 2x3 45/1|S45"},
      {"the newer reader's picture, in its paragraph",
       Head + "a{\\*\\shppict{\\pict\\pngblip " + png +
           "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}",
       "{f1 s12}a|G30x45|I4 2x3 45/1|S45|{f1 s12}b"},
      {"binary data", Head + "{\\pict\\pngblip " + bin + "}}", "G30x45|I4 2x3 45/1|S45"},
      {"metafiles, bitmaps, damaged data and pictures of headers left out",
       Head +
           "{\\pict\\wmetafile8 0102}{\\pict\\emfblip 0102}{\\pict\\pngblip "
           "00ff}{\\pict\\jpegblip " +
           png + "}{\\header{\\pict\\pngblip " + png + "}}x}",
       "{f1 s12}x"},
  };
  Check(std::begin(cases), std::end(cases));
  // The segments hold the file as it was.
  EXPECT_NE(corpustest::ImportRtf(Head + "{\\pict\\pngblip " + png + "}}").find(Png),
            std::string::npos);
}
