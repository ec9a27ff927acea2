#include "RtfFormats.h"

#include <algorithm>

namespace nirtf {

namespace {

// An effect (ISSHADOW, ISEMBOSS, ISEXTRUDE) sets the top bit and takes the superscript and
// subscript bits to say which: the two exclude each other.
constexpr BYTE EffectBit = 0x80;
constexpr BYTE PlainBits = ISBOLD | ISITALIC | ISUNDERLINE | ISSTRIKEOUT;

// The underline words: every style of line is an underline here.
bool IsUnderlineWord(std::string_view Word) {
  return Word.starts_with("ul") && Word != "ulnone" && Word != "ulc";
}

void SetBit(BYTE& Attrib, BYTE Bit, bool On) {
  Attrib = On ? (Attrib | Bit) : (Attrib & ~Bit);
}

WORD Twips(int64_t Value) {
  return static_cast<WORD>(std::clamp<int64_t>(Value, 0, MAXWORD));
}

// A spacing in twips in the half lines of a paragraph definition (0 to 2).
WORD HalfLines(int32_t TwipsValue) {
  return static_cast<WORD>(std::clamp((std::abs(TwipsValue) + 60) / 120, 0, 2));
}

}  // namespace

bool TCharFormat::Apply(const TRtfToken& Token) {
  const std::string_view word = Token.Value;
  const bool on = !Token.HasParam || Token.Param != 0;
  if (word == "plain") {
    *this = TCharFormat();
  } else if (word == "b") {
    SetBit(Attrib, ISBOLD, on);
  } else if (word == "i") {
    SetBit(Attrib, ISITALIC, on);
  } else if (word == "ulnone") {
    SetBit(Attrib, ISUNDERLINE, false);
  } else if (IsUnderlineWord(word)) {
    SetBit(Attrib, ISUNDERLINE, on);
  } else if (word == "strike" || word == "striked") {
    SetBit(Attrib, ISSTRIKEOUT, on);
  } else if (word == "super" || word == "sub") {
    Attrib &= (Attrib & EffectBit) ? PlainBits : 0xFF;
    SetBit(Attrib, ISSUPER | ISSUB, false);
    SetBit(Attrib, word == "super" ? ISSUPER : ISSUB, on);
  } else if (word == "nosupersub") {
    if (!(Attrib & EffectBit)) SetBit(Attrib, ISSUPER | ISSUB, false);
  } else if (word == "shad" || word == "embo" || word == "impr") {
    const BYTE effect = word == "shad" ? ISSHADOW : word == "embo" ? ISEMBOSS : ISEXTRUDE;
    if (on)
      Attrib = static_cast<BYTE>((Attrib & PlainBits) | effect);
    else if (Attrib & EffectBit)
      Attrib &= PlainBits;
  } else if (word == "fs") {
    HalfPoints = Token.HasParam && Token.Param > 0 ? Token.Param : 24;
  } else if (word == "cf") {
    Color = std::max(Token.Param, 0);
  } else if (word == "v") {
    Hidden = on;
  } else {
    return false;
  }
  return true;
}

bool TParaFormat::Apply(const TRtfToken& Token) {
  const std::string_view word = Token.Value;
  const int32_t value = Token.Param;
  if (word == "pard") {
    *this = TParaFormat();
  } else if (word == "ql" || word == "qr" || word == "qc" || word == "qj") {
    Justify = word == "ql"   ? JUSTIFY_LEFT
              : word == "qr" ? JUSTIFY_RIGHT
              : word == "qc" ? JUSTIFY_CENTER
                             : JUSTIFY_BLOCK;
  } else if (word == "li" || word == "lin") {
    Left = value;
  } else if (word == "ri" || word == "rin") {
    Right = value;
  } else if (word == "fi") {
    FirstLine = value;
  } else if (word == "sb") {
    Before = value;
  } else if (word == "sa") {
    After = value;
  } else if (word == "sl") {
    LineSpacing = value;
  } else if (word == "tx" || word == "tb") {
    if (Tabs.size() < MAXTABS) Tabs.push_back(value);
  } else if (word == "intbl") {
    InTable = true;
  } else {
    return false;
  }
  return true;
}

CDPABDEFINITION TParaFormat::Definition() const {
  CDPABDEFINITION definition{};
  definition.JustifyMode = Justify;
  // \sl counts twips of a line: 240 is single spacing, 360 one and a half, 480 double.
  const int32_t line = std::abs(LineSpacing);
  definition.LineSpacing = static_cast<WORD>(line < 300 ? 0 : line < 420 ? 1 : 2);
  definition.ParagraphSpacingBefore = HalfLines(Before);
  definition.ParagraphSpacingAfter = HalfLines(After);
  const int64_t left = int64_t{ONEINCH} + Left;
  definition.LeftMargin = Twips(left);
  definition.FirstLineLeftMargin = Twips(left + FirstLine);
  definition.RightMargin = Right ? Twips(int64_t{ONEINCH} + Right) : 0;
  definition.Tabs = static_cast<WORD>(Tabs.size());
  for (size_t i = 0; i < Tabs.size(); ++i)
    definition.Tab[i] = static_cast<SWORD>(std::clamp(Tabs[i], 0, 0x7FFF));
  definition.Flags = ListFlags;
  return definition;
}

FONTID MakeFontId(BYTE Face, const TCharFormat& Format, BYTE Color) {
  const int32_t points = std::clamp((Format.HalfPoints + 1) / 2, 1, 255);
  return static_cast<FONTID>(Face) << FONT_FACE_SHIFT |
         static_cast<FONTID>(Format.Attrib) << FONT_STYLE_SHIFT |
         static_cast<FONTID>(Color) << FONT_COLOR_SHIFT |
         static_cast<FONTID>(points) << FONT_SIZE_SHIFT;
}

}  // namespace nirtf
