// Bytes into the RTF import (NIRTF's conversion): whatever the input, the CD records it writes
// are whole, walk to their end without damage, and every paragraph reference names a definition
// written before it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string_view>

#include "CdFileWriter.h"
#include "RtfImport.h"
#include "note/CdRecords.h"

namespace {

void Fail(const char* What) {
  std::fprintf(stderr, "rtf_import_fuzz: %s\n", What);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  notesfilter::TCdFileWriter out;
  nirtf::RtfToCd(std::string_view(reinterpret_cast<const char*>(Data), Size), DEFAULT_FONT_ID, out);
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
  return 0;
}
