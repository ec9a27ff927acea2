#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

// Items of rich text stay below the 64 KB of one segment, as the published writers keep them.
inline constexpr size_t MaxRichTextItem = 64000;

// Walking the CD records of a rich-text value (after its type word). Every reader goes through
// these, so that no record is read past the value.

// The length of the record at Offset, header included and pad byte not; 0 when the header is
// malformed (cut off, or a length below its own size) or the record runs past the end of Data.
size_t CdRecordLength(std::string_view Data, size_t Offset);
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
  bool Next(TCdRecord& Record);
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
