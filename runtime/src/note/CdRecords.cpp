#include "note/CdRecords.h"

#include "core/EStatus.h"
#include "notesapi/notesrt.h"
#include "storage/StoredValue.h"

namespace notesrt {

// The high byte of the signature says how long the header is: 0xFF a WORD length follows, 0 a
// DWORD length follows, anything else is the length itself. Sizes are 64-bit: a DWORD length
// near 4 GiB cannot wrap.
size_t CdRecordLength(std::string_view Data, size_t Offset) {
  if (Offset > Data.size() || Data.size() - Offset < sizeof(WORD)) return 0;
  const auto signature = ReadAt<WORD>(Data, Offset);
  size_t high = signature >> 8, length = high, header = sizeof(WORD);
  if (high == 0xFF) {
    header = 2 * sizeof(WORD);
    length = ReadAt<WORD>(Data, Offset + sizeof(WORD));
  } else if (high == 0) {
    header = sizeof(WORD) + sizeof(DWORD);
    length = ReadAt<DWORD>(Data, Offset + sizeof(WORD));
  }
  if (Data.size() - Offset < header) return 0;
  return length >= header && length <= Data.size() - Offset ? length : 0;
}

bool TCdReader::Next(TCdRecord& Record) {
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

std::vector<std::string_view> CdPieces(std::string_view Records, size_t MaxPiece) {
  std::vector<std::string_view> pieces;
  size_t pieceStart = 0;
  TCdReader reader(Records);
  for (TCdRecord record; reader.Next(record);) {
    const size_t next = CdNextRecord(record.Offset, record.Length);
    if (next - pieceStart > MaxPiece && record.Offset > pieceStart) {
      pieces.push_back(Records.substr(pieceStart, record.Offset - pieceStart));
      pieceStart = record.Offset;
    }
  }
  if (reader.Damaged()) throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  pieces.push_back(Records.substr(pieceStart));
  return pieces;
}

}  // namespace notesrt
