// Bytes into the RTF import (NIRTF's conversion): whatever the input, the CD records it writes
// are whole, walk to their end without damage, and every paragraph reference names a definition
// written before it; the RTF export takes them, and importing that export gives them again
// (for RTF input).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string_view>

#include "CdFileWriter.h"
#include "CdToRtf.h"
#include "LmbcsText.h"
#include "RtfImport.h"
#include "StoredRecords.h"
#include "note/CdRecords.h"

namespace {

void Fail(const char* What) {
  std::fprintf(stderr, "rtf_import_fuzz: %s\n", What);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  notesfilter::TCdFileWriter out;
  nirtf::RtfToCd(Input, DEFAULT_FONT_ID, out);
  const std::string_view records = out.Records();
  notesrt::TCdReader reader(records);
  std::set<WORD> defined;
  size_t end = 0;
  for (notesrt::TCdRecord record; reader.Next(record);) {
    end = record.Offset + record.Length + record.Length % 2;
    const std::string_view bytes = records.substr(record.Offset, record.Length);
    if (record.Signature == SIG_CD_PABDEFINITION) defined.insert(notesrt::ReadAt<WORD>(bytes, 4));
    if (record.Signature == SIG_CD_PABREFERENCE && !defined.count(notesrt::ReadAt<WORD>(bytes, 2)))
      Fail("a paragraph reference before its definition");
    if (record.Signature == SIG_CD_TEXT && record.Length > 16000 + sizeof(CDTEXT))
      Fail("a run too long");
  }
  if (reader.Damaged() || end != records.size()) Fail("records not whole");
  // Exported as the note holds them: after the paragraph the importer opens, the font table,
  // which the note keeps apart, in front as the export is given it.
  std::string rtf;
  const std::string stored = filtertest::AsStored(records);
  if (xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(stored, rtf) != NOERROR)
    Fail("the export refused the records");
  notesfilter::TCdFileWriter again;
  nirtf::RtfToCd(rtf, DEFAULT_FONT_ID, again);
  // Plain text comes in without paragraph definitions, its export as RTF with them.
  if (IsRtf(Input) && filtertest::WithoutTrailingEmptyParagraphs(again.Records()) !=
                          filtertest::WithoutTrailingEmptyParagraphs(out.Records()))
    Fail("the export imported again differs");
  return 0;
}
