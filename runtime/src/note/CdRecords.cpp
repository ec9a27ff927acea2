#include "note/CdRecords.h"

#include "core/EStatus.h"
#include "notesapi/notesrt.h"

namespace notesrt {

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
