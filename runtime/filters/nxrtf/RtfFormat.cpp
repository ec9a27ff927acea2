#include "RtfFormat.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "NotesColors.h"
#include "notesapi/editdflt.h"
#include "storage/StoredValue.h"

namespace xrtf {

namespace {

std::string Number(const char* Word, long Value) {
  return Word + std::to_string(Value);
}

// The RTF family of a CDFACE's pitch-and-family byte.
std::string FamilyWord(BYTE Family) {
  switch (Family & 0xF0) {
    case 0x10:
      return "\\froman";
    case 0x20:
      return "\\fswiss";
    case 0x30:
      return "\\fmodern";
    case 0x40:
      return "\\fscript";
    case 0x50:
      return "\\fdecor";
    default:
      return "\\fnil";
  }
}

std::string AttributeWords(BYTE Attrib) {
  std::string words;
  if (Attrib & ISBOLD) words += "\\b";
  if (Attrib & ISITALIC) words += "\\i";
  if (Attrib & ISUNDERLINE) words += "\\ul";
  if (Attrib & ISSTRIKEOUT) words += "\\strike";
  // With the effect bit, the superscript and subscript bits choose the effect.
  switch (Attrib & (ISEFFECT | ISSUPER | ISSUB)) {
    case ISSHADOW:
      return words + "\\shad";
    case ISEMBOSS:
      return words + "\\embo";
    case ISEXTRUDE:
      return words + "\\impr";
    default:
      break;
  }
  if (!(Attrib & ISEFFECT) && (Attrib & ISSUPER)) words += "\\super";
  if (!(Attrib & ISEFFECT) && (Attrib & ISSUB)) words += "\\sub";
  return words;
}

const char* AlignmentWord(WORD Justify) {
  switch (Justify) {
    case JUSTIFY_RIGHT:
      return "\\qr";
    case JUSTIFY_BLOCK:
      return "\\qj";
    case JUSTIFY_CENTER:
      return "\\qc";
    default:
      return "";
  }
}

// Spacing is kept in half lines: 1 is one and a half lines, 2 double.
std::string SpacingWords(const CDPABDEFINITION& Pab) {
  std::string words;
  if (Pab.LineSpacing == 1 || Pab.LineSpacing == 2)
    words += Number("\\sl", 240 + 120 * Pab.LineSpacing) + "\\slmult1";
  if (Pab.ParagraphSpacingBefore) words += Number("\\sb", 120 * Pab.ParagraphSpacingBefore);
  if (Pab.ParagraphSpacingAfter) words += Number("\\sa", 120 * Pab.ParagraphSpacingAfter);
  return words;
}

std::string TabWords(const CDPABDEFINITION& Pab) {
  static constexpr const char* Kinds[4] = {"", "\\tqr", "\\tqdec", "\\tqc"};
  std::string words;
  for (int i = 0; i < std::min<int>(Pab.Tabs, MAXTABS); ++i) {
    int position = Pab.Tab[i];
    const char* kind = position < 0 ? "\\tqdec" : Kinds[(Pab.TabTypes >> (2 * i)) & 3];
    words += kind + Number("\\tx", std::abs(position));
  }
  return words;
}

}  // namespace

void WriteColorTable(TRtfOutput& Out) {
  Out.Word("{\\colortbl;");
  for (uint32_t bgr : notesfilter::NotesPalette)
    Out.Word(Number("\\red", bgr & 0xFF) + Number("\\green", (bgr >> 8) & 0xFF) +
             Number("\\blue", (bgr >> 16) & 0xFF) + ";");
  Out.Word("}");
  Out.LineBreak();
}

TRtfFonts::TRtfFonts()
    : FFaces{{FONT_FACE_ROMAN, {"\\froman", "Times New Roman"}},
             {FONT_FACE_SWISS, {"\\fswiss", "Arial"}},
             {FONT_FACE_UNICODE, {"\\fswiss", "Arial Unicode MS"}},
             {FONT_FACE_USERINTERFACE, {"\\fswiss", "Microsoft Sans Serif"}},
             {FONT_FACE_TYPEWRITER, {"\\fmodern", "Courier New"}}} {}

void TRtfFonts::AddTable(std::string_view Record, const TLmbcsDecoder& Decode) {
  const size_t count = notesrt::ReadAt<WORD>(Record, sizeof(WSIG));
  for (size_t i = 0, at = sizeof(CDFONTTABLE); i < count && at + sizeof(CDFACE) <= Record.size();
       ++i, at += sizeof(CDFACE)) {
    const auto face = notesrt::ReadAt<CDFACE>(Record, at);
    std::string_view name(face.Name, strnlen(face.Name, MAXFACESIZE));
    if (face.Face < STATIC_FONT_FACES || name.empty()) continue;
    FFaces[face.Face] = {FamilyWord(face.Family), Decode(name)};
  }
}

void TRtfFonts::WriteTable(TRtfOutput& Out) const {
  Out.Word("{\\fonttbl");
  for (const auto& [number, face] : FFaces) {
    Out.Word(Number("{\\f", number) + face.Family + "\\fcharset0 ");
    Out.Text(face.Name);
    Out.Word(";}");
  }
  Out.Word("}");
  Out.LineBreak();
}

std::string TRtfFonts::RunWords(FONTID Font) const {
  const auto fields = notesrt::FromBytes<FONTIDFIELDS>(notesrt::BytesOf(Font));
  const int face = FFaces.count(fields.Face) ? fields.Face : FONT_FACE_SWISS;
  const int size = fields.PointSize ? fields.PointSize : 10;
  std::string words =
      Number("\\f", face) + Number("\\fs", 2 * size) + AttributeWords(fields.Attrib);
  if (fields.Color > 0 && fields.Color < 16) words += Number("\\cf", fields.Color + 1);
  return words + " ";
}

std::string ParagraphWords(const CDPABDEFINITION& Pab) {
  // A margin left of the inch Notes starts from is a negative indent, as RTF allows.
  const int left = Pab.LeftMargin - 1440;
  const int first = Pab.FirstLineLeftMargin - Pab.LeftMargin;
  const int right = Pab.RightMargin ? std::max(0, Pab.RightMargin - 1440) : 0;
  std::string words = AlignmentWord(Pab.JustifyMode);
  if (left) words += Number("\\li", left);
  if (first) words += Number("\\fi", first);
  if (right) words += Number("\\ri", right);
  return words + SpacingWords(Pab) + TabWords(Pab);
}

}  // namespace xrtf
