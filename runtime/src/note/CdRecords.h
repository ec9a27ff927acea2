#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "notesapi/global.h"
#include "storage/StoredValue.h"

namespace notesrt {

// Items of rich text stay below the 64 KB of one segment, as the published writers keep them.
inline constexpr size_t MaxRichTextItem = 64000;

// Walking the CD records of a rich-text value (after its type word). Every reader goes through
// these, so that no record is read past the value.

// The length of the record at Offset, header included and pad byte not; 0 when the header is
// malformed (cut off, or a length below its own size) or the record runs past the end of Data.
// The high byte of the signature says how long the header is: 0xFF a WORD length follows, 0 a
// DWORD length follows, anything else is the length itself. Sizes are 64-bit: a DWORD length
// near 4 GiB cannot wrap. Inline, as walks call it for every record.
inline size_t CdRecordLength(std::string_view Data, size_t Offset) {
  if (Offset > Data.size() || Data.size() - Offset < sizeof(WORD)) return 0;
  const size_t left = Data.size() - Offset;
  const auto signature = ReadAt<WORD>(Data, Offset);
  size_t high = signature >> 8, length = high, header = sizeof(WORD);
  if (high == 0xFF) {
    header = 2 * sizeof(WORD);
    length = ReadAt<WORD>(Data, Offset + sizeof(WORD));
  } else if (high == 0) {
    header = sizeof(WORD) + sizeof(DWORD);
    length = ReadAt<DWORD>(Data, Offset + sizeof(WORD));
  }
  return left >= header && length >= header && length <= left ? length : 0;
}
// Where the record after one of Length bytes starts: records begin on even offsets.
inline size_t CdNextRecord(size_t Offset, size_t Length) {
  return Offset + Length + Length % 2;
}

struct TCdRecord {
  size_t Offset = 0;  // of the header, in the walked data
  size_t Length = 0;  // header included, pad byte not
  // As published (SIG_CD_xxx): 0xFF above the type byte for a WORD length, the type byte alone
  // for a BYTE or DWORD length.
  WORD Signature = 0;
};

// The records of Data in order. A damaged record ends the walk before it is handed out; a
// missing pad byte after the last record is no damage.
class TCdReader {
 public:
  explicit TCdReader(std::string_view Data) : FData(Data) {}
  // The next record; false at the end of Data or at a damaged record.
  bool Next(TCdRecord& Record) {
    if (FDamaged || FOffset >= FData.size()) return false;
    const size_t length = CdRecordLength(FData, FOffset);
    if (length == 0) {
      FDamaged = true;
      return false;
    }
    const auto signature = ReadAt<WORD>(FData, FOffset);
    Record.Offset = FOffset;
    Record.Length = length;
    Record.Signature = (signature >> 8) == 0xFF ? signature : (signature & 0xFF);
    FOffset = CdNextRecord(FOffset, length);
    return true;
  }
  bool Damaged() const { return FDamaged; }

 private:
  std::string_view FData;
  size_t FOffset = 0;
  bool FDamaged = false;
};

// Records cut into pieces of at most MaxPiece bytes between records, for items of their own (a
// record longer than MaxPiece is a piece alone). All of Records is checked before anything is
// returned: EStatus ERR_NOTESRT_RICH_TEXT_DAMAGED when it is not a sequence of whole records.
std::vector<std::string_view> CdPieces(std::string_view Records, size_t MaxPiece);

}  // namespace notesrt
