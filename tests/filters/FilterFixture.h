#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FileText.h"
#include "LmbcsText.h"
#include "TestNotesEnv.h"
#include "note/CdRecords.h"
#include "notesapi/editods.h"
#include "notesapi/fontid.h"
#include "notesapi/global.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/nsfdata.h"
#include "notesapi/osmisc.h"
#include "storage/StoredValue.h"

namespace filtertest {

// An initialised runtime and a private environment for each test.
class FilterTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(NotesInit(), NOERROR); }
  void TearDown() override { NotesTerm(); }

  struct TImport {
    STATUS Status = NOERROR;
    bool OutputExists = false;
    std::string Output;  // the CD file, type word first
  };
  // Writes Input to a file, runs the import library Library on it through OSLoadLibrary with
  // Flags and Font in the block, and frees the library.
  TImport Import(const char* Library, std::string_view Input, FONTID Font = DEFAULT_FONT_ID,
                 WORD Flags = 0) {
    const std::filesystem::path input = Dir() / "input", output = Dir() / "output.cd";
    vesktest::WriteFileText(input, std::string(Input));
    HMODULE module = nullptr;
    IXENTRYPROC entry = nullptr;
    TImport result;
    result.Status = OSLoadLibrary(Library, 0, &module, &entry);
    if (result.Status != NOERROR) return result;
    EDITIMPORTDATA block{};
    std::strncpy(block.OutputFileName, output.c_str(), sizeof block.OutputFileName - 1);
    block.FontID = Font;
    char empty[] = "";
    result.Status = entry(&block, Flags, nullptr, empty, const_cast<char*>(input.c_str()));
    OSFreeLibrary(module);
    result.OutputExists = std::filesystem::exists(output);
    if (result.OutputExists) result.Output = vesktest::ReadFileText(output);
    return result;
  }
  std::filesystem::path Dir() const { return FEnv.Root(); }

  vesktest::TestNotesEnv FEnv;
};

inline std::string FontText(FONTID Font) {
  static constexpr std::pair<BYTE, const char*> Attributes[] = {
      {ISBOLD, "b"}, {ISITALIC, "i"}, {ISUNDERLINE, "u"}, {ISSTRIKEOUT, "s"}};
  const auto fields = notesrt::FromBytes<FONTIDFIELDS>(notesrt::BytesOf(Font));
  std::ostringstream out;
  out << "{f" << int{fields.Face} << " s" << int{fields.PointSize};
  if (fields.Color) out << " c" << int{fields.Color};
  for (auto [bit, name] : Attributes)
    if (fields.Attrib & bit) out << " " << name;
  const BYTE effect = fields.Attrib & (ISEFFECT | ISSUPER | ISSUB);
  if (fields.Attrib & ISEFFECT)
    out << (effect == ISEMBOSS ? " embo" : effect == ISEXTRUDE ? " impr" : " shad");
  else if (fields.Attrib & (ISSUPER | ISSUB))
    out << (fields.Attrib & ISSUPER ? " super" : " sub");
  out << "}";
  return out.str();
}

// A paragraph definition by what differs from the default one.
inline std::string ParagraphText(const CDPABDEFINITION& Definition) {
  static constexpr char Justify[] = "lrbcn";
  std::ostringstream out;
  if (Definition.JustifyMode) out << " " << Justify[std::min<WORD>(Definition.JustifyMode, 4)];
  if (Definition.LeftMargin != 1440) out << " l" << Definition.LeftMargin;
  if (Definition.FirstLineLeftMargin != Definition.LeftMargin)
    out << " f" << Definition.FirstLineLeftMargin;
  if (Definition.RightMargin) out << " r" << Definition.RightMargin;
  if (Definition.LineSpacing || Definition.ParagraphSpacingBefore ||
      Definition.ParagraphSpacingAfter)
    out << " sp" << Definition.LineSpacing << "/" << Definition.ParagraphSpacingBefore << "/"
        << Definition.ParagraphSpacingAfter;
  for (WORD i = 0; i < std::min<WORD>(Definition.Tabs, MAXTABS); ++i)
    out << " t" << Definition.Tab[i];
  if (Definition.Flags & PABFLAG_BULLET) out << " bullet";
  if (Definition.Flags & PABFLAG_NUMBEREDLIST) out << " numbered";
  return out.str().empty() ? "" : "[" + out.str().substr(1) + "]";
}

template <class T>
inline T RecordAs(std::string_view Bytes) {
  T record{};
  std::memcpy(&record, Bytes.data(), std::min(sizeof record, Bytes.size()));
  return record;
}

// The records of a CD file, for comparing, "|" between them: a paragraph "P"; text as UTF-8,
// with "{f<face> s<size> c<colour> <attributes>}" before it when its font is not
// DEFAULT_FONT_ID, adjacent runs of one font joined; a paragraph reference as "[...]" with what
// its definition changes (nothing for the default; definitions themselves show nothing);
// tables "T{", "C<row>,<column> w<width>", "}T"; hotspots "L<type>(<data>)" and "/L"; a font
// table "F(<face> <name>,...)"; pictures "G<width>x<height>" (twips), "I<type> <width>x<height>
// <bytes>/<segments>", "S<bytes>"; any other record "<signature hex>". "no type word" or
// "damaged" at the fault.
inline std::string Describe(std::string_view CdFile) {
  if (notesrt::ReadAt<WORD>(CdFile, 0) != TYPE_COMPOSITE) return "no type word";
  const std::string_view records = CdFile.substr(sizeof(WORD));
  std::vector<std::string> parts;
  std::map<WORD, CDPABDEFINITION> definitions;
  notesrt::TCdReader reader(records);
  FONTID lastFont = 0;
  bool inText = false;
  for (notesrt::TCdRecord record; reader.Next(record);) {
    const std::string_view bytes = records.substr(record.Offset, record.Length);
    const bool text = record.Signature == SIG_CD_TEXT;
    std::string part;
    if (text) {
      const FONTID font = notesrt::ReadAt<FONTID>(bytes, 4);
      const std::string utf8 = notesfilter::LmbcsToUtf8(bytes.substr(sizeof(CDTEXT)));
      if (inText && font == lastFont) {
        parts.back() += utf8;
        continue;
      }
      part = (font != DEFAULT_FONT_ID ? FontText(font) : "") + utf8;
      lastFont = font;
    } else if (record.Signature == SIG_CD_PARAGRAPH) {
      part = "P";
    } else if (record.Signature == SIG_CD_PABDEFINITION) {
      const auto definition = RecordAs<CDPABDEFINITION>(bytes);
      definitions[definition.PABID] = definition;
    } else if (record.Signature == SIG_CD_PABREFERENCE) {
      const auto id = RecordAs<CDPABREFERENCE>(bytes).PABID;
      const auto definition = definitions.find(id);
      part = definition == definitions.end() ? "[undefined " + std::to_string(id) + "]"
                                             : ParagraphText(definition->second);
    } else if (record.Signature == SIG_CD_TABLEBEGIN) {
      part = "T{";
    } else if (record.Signature == SIG_CD_TABLECELL) {
      const auto cell = RecordAs<CDTABLECELL>(bytes);
      part = "C" + std::to_string(cell.Row) + "," + std::to_string(cell.Column) + " w" +
             std::to_string(cell.FractionalWidth);
      if (cell.Flags & CDTABLECELL_USE_BKGCOLOR)
        part += " bg" + std::to_string(cell.BackgroundColor);
      if (cell.Border) part += " border" + std::to_string(cell.Border);
    } else if (record.Signature == SIG_CD_TABLEEND) {
      part = "}T";
    } else if (record.Signature == SIG_CD_HOTSPOTBEGIN) {
      const auto begin = RecordAs<CDHOTSPOTBEGIN>(bytes);
      std::string data(bytes.substr(sizeof begin, begin.DataLength));
      part = "L" + std::to_string(begin.Type) + "(" + notesfilter::LmbcsToUtf8(data.c_str()) + ")";
    } else if (record.Signature == SIG_CD_HOTSPOTEND) {
      part = "/L";
    } else if (record.Signature == SIG_CD_FONTTABLE) {
      part = "F(";
      const WORD count = RecordAs<CDFONTTABLE>(bytes).Fonts;
      for (WORD i = 0; i < count; ++i) {
        const auto face = RecordAs<CDFACE>(bytes.substr(sizeof(CDFONTTABLE) + i * sizeof(CDFACE)));
        part += (i ? "," : "") + std::to_string(face.Face) + " " +
                notesfilter::LmbcsToUtf8(std::string(face.Name, strnlen(face.Name, MAXFACESIZE)));
      }
      part += ")";
    } else if (record.Signature == SIG_CD_GRAPHIC) {
      const auto graphic = RecordAs<CDGRAPHIC>(bytes);
      part = "G" + std::to_string(graphic.DestSize.Width) + "x" +
             std::to_string(graphic.DestSize.Height);
    } else if (record.Signature == SIG_CD_IMAGEHEADER) {
      const auto header = RecordAs<CDIMAGEHEADER>(bytes);
      part = "I" + std::to_string(header.ImageType) + " " + std::to_string(header.Width) + "x" +
             std::to_string(header.Height) + " " + std::to_string(header.ImageDataSize) + "/" +
             std::to_string(header.SegCount);
    } else if (record.Signature == SIG_CD_IMAGESEGMENT) {
      part = "S" + std::to_string(RecordAs<CDIMAGESEGMENT>(bytes).DataSize);
    } else {
      std::ostringstream out;
      out << "<" << std::hex << record.Signature << ">";
      part = out.str();
    }
    inText = text;
    if (!part.empty() || text) parts.push_back(part);
  }
  if (reader.Damaged()) parts.push_back("damaged");
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "|") + part;
  return joined;
}

// The status's text, or "" when the runtime has none.
inline std::string StatusText(STATUS Status) {
  char text[256];
  WORD length = OSLoadString(nullptr, Status, text, sizeof text - 1);
  return std::string(text, length);
}

}  // namespace filtertest
