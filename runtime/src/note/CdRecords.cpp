#include "note/CdRecords.h"

#include "notesapi/global.h"
#include "storage/StoredValue.h"

namespace notesrt {

// The high byte of the signature says how long the header is: 0xFF a WORD length follows, 0 a
// DWORD length follows, anything else is the length itself.
size_t CdRecordLength(std::string_view Data, size_t Offset) {
  if (Offset > Data.size() || Data.size() - Offset < sizeof(WORD)) return 0;
  auto signature = ReadAt<WORD>(Data, Offset);
  size_t high = signature >> 8, length = high, header = sizeof(WORD);
  if (high == 0xFF) {
    length = ReadAt<WORD>(Data, Offset + sizeof(WORD));
    header = 2 * sizeof(WORD);
  } else if (high == 0) {
    length = ReadAt<DWORD>(Data, Offset + sizeof(WORD));
    header = sizeof(WORD) + sizeof(DWORD);
  }
  return length >= header && length <= Data.size() - Offset ? length : 0;
}

}  // namespace notesrt
