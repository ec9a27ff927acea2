#include "RtfFaces.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "LmbcsText.h"

namespace nirtf {

namespace {

struct TFixedFace {
  const char* Name;
  BYTE Face;
};
constexpr TFixedFace FixedFaces[] = {{"Times New Roman", FONT_FACE_ROMAN},
                                     {"Arial", FONT_FACE_SWISS},
                                     {"Courier New", FONT_FACE_TYPEWRITER}};

BYTE FamilyFace(const std::string& Family) {
  return Family == "froman"    ? FONT_FACE_ROMAN
         : Family == "fmodern" ? FONT_FACE_TYPEWRITER
                               : FONT_FACE_SWISS;
}

// CDFACE.Family: the family in bits 4 to 7. The pitch bits stay 0 (default): the RTF export
// writes no pitch, and an imported face must come back as it went.
BYTE FamilyBits(const TRtfFont& Font) {
  static constexpr const char* Families[] = {"fnil",    "froman",  "fswiss",
                                             "fmodern", "fscript", "fdecor"};
  BYTE family = 0;
  for (BYTE i = 0; i < std::size(Families); ++i)
    if (Font.Family == Families[i]) family = static_cast<BYTE>(i << 4);
  return family;
}

}  // namespace

BYTE TRtfFaces::FaceOf(const TRtfDocument& Document, int32_t FontNumber) {
  if (auto known = FByNumber.find(FontNumber); known != FByNumber.end()) return known->second;
  BYTE face = FONT_FACE_SWISS;
  if (auto font = Document.Fonts.find(FontNumber); font != Document.Fonts.end()) {
    face = FamilyFace(font->second.Family);
    if (!font->second.Name.empty()) face = NewFace(font->second);
  }
  // Fonts are numbered once the table is read; a number used before it is asked again later.
  if (Document.HasFontTable) FByNumber[FontNumber] = face;
  return face;
}

BYTE TRtfFaces::NewFace(const TRtfFont& Font) {
  // No control characters (readers drop them), nor noncharacters; cut between characters: whole
  // ones are dropped from the end until the name fits.
  std::string utf8 = notesfilter::WithoutControls(Font.Name, false);
  std::string name = notesfilter::Utf8ToLmbcs(utf8);
  while (name.size() > MAXFACESIZE - 1) {
    utf8.resize(notesfilter::Utf8PrefixLength(utf8, utf8.size() - 1));
    name = notesfilter::Utf8ToLmbcs(utf8);
  }
  // Readers trim a name's blanks: a cut that ends in one must not make a face of its own.
  name.erase(name.find_last_not_of(' ') + 1);
  name.erase(0, std::min(name.find_first_not_of(' '), name.size()));
  // A name of nothing but control characters and blanks is no name: the export would write
  // the family's face for it.
  if (name.empty()) return FamilyFace(Font.Family);
  // Matched as stored: a name that is a fixed face's once cleaned comes back as that face.
  for (const TFixedFace& fixed : FixedFaces)
    if (strcasecmp(fixed.Name, name.c_str()) == 0) return fixed.Face;
  for (const CDFACE& face : FFaces)
    if (strncasecmp(face.Name, name.c_str(), MAXFACESIZE) == 0) return face.Face;
  if (FFaces.size() + STATIC_FONT_FACES > 0xFF) return FamilyFace(Font.Family);
  CDFACE face{};
  face.Face = static_cast<BYTE>(STATIC_FONT_FACES + FFaces.size());
  face.Family = FamilyBits(Font);
  std::memcpy(face.Name, name.data(), name.size());
  FFaces.push_back(face);
  return face.Face;
}

void TRtfFaces::Write(notesfilter::TCdFileWriter& Out) const {
  if (FFaces.empty()) return;
  CDFONTTABLE table{};
  table.Fonts = static_cast<WORD>(FFaces.size());
  Out.Add(table, SIG_CD_FONTTABLE,
          std::string_view(reinterpret_cast<const char*>(FFaces.data()),
                           FFaces.size() * sizeof(CDFACE)));
}

}  // namespace nirtf
