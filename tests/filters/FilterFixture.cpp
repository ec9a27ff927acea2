#include "FilterFixture.h"

#include <cstring>
#include <sstream>

#include "FileText.h"
#include "LmbcsText.h"
#include "note/CdRecords.h"
#include "notesapi/editods.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/nsfdata.h"
#include "notesapi/osmisc.h"

namespace filtertest {

void FilterTest::SetUp() {
  ASSERT_EQ(NotesInit(), NOERROR);
}

void FilterTest::TearDown() {
  NotesTerm();
}

FilterTest::TImport FilterTest::Import(const char* Library, std::string_view Input, FONTID Font,
                                       WORD Flags) {
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

std::string Describe(std::string_view CdFile) {
  if (notesrt::ReadAt<WORD>(CdFile, 0) != TYPE_COMPOSITE) return "no type word";
  const std::string_view records = CdFile.substr(sizeof(WORD));
  std::ostringstream out;
  notesrt::TCdReader reader(records);
  FONTID lastFont = 0;
  bool inText = false, first = true;
  for (notesrt::TCdRecord record; reader.Next(record);) {
    const std::string_view bytes = records.substr(record.Offset, record.Length);
    if (record.Signature == SIG_CD_TEXT) {
      const FONTID font = notesrt::ReadAt<FONTID>(bytes, 4);
      if (!inText || font != lastFont) {
        if (!first) out << "|";
        if (font != DEFAULT_FONT_ID) out << "{" << std::hex << font << std::dec << "}";
      }
      out << notesfilter::LmbcsToUtf8(bytes.substr(sizeof(CDTEXT)));
      lastFont = font;
      inText = true;
    } else {
      if (!first) out << "|";
      if (record.Signature == SIG_CD_PARAGRAPH)
        out << "P";
      else
        out << "<" << std::hex << record.Signature << std::dec << ">";
      inText = false;
    }
    first = false;
  }
  if (reader.Damaged()) out << "|damaged";
  return out.str();
}

std::string StatusText(STATUS Status) {
  char text[256];
  WORD length = OSLoadString(nullptr, Status, text, sizeof text - 1);
  return std::string(text, length);
}

}  // namespace filtertest
