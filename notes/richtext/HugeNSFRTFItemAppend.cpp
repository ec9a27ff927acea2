#include "HugeNSFRTFItemAppend.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "TAppendedItems.h"

namespace {

struct TPiece {
  uint64_t Start = 0;
  uint64_t Length = 0;
};

template <class T>
T ReadAt(const char* Data, uint64_t Offset) {
  T value;
  std::memcpy(&value, Data + Offset, sizeof(value));
  return value;
}

// The buffer cut into pieces of whole records, each record with its pad byte (which an odd last
// record may lack). Raises ELotusNotes for a damaged record before anything is appended.
std::vector<TPiece> Pieces(const char* Data, uint64_t Size, const std::string& Name) {
  std::vector<TPiece> pieces;
  TPiece piece;
  for (uint64_t offset = 0; offset < Size;) {
    const uint64_t length = CDRecordLength(Data, Size, offset);
    if (length == 0)
      throw ELotusNotes(-1, "The rich text for the item " + Lmbcs2Native(Name) +
                                " is damaged: no whole record at offset " + std::to_string(offset));
    const uint64_t next = std::min(offset + length + length % 2, Size);
    const uint64_t span = next - offset;
    if (piece.Length > 0 &&
        (piece.Length >= RichTextPieceSize || piece.Length + span > MaxRichTextPiece)) {
      pieces.push_back(piece);
      piece = {offset, 0};
    }
    piece.Length += span;
    offset = next;
  }
  pieces.push_back(piece);
  return pieces;
}

}  // namespace

uint64_t CDRecordLength(const char* Data, uint64_t Size, uint64_t Offset) {
  const uint64_t left = Size - Offset;
  if (left < sizeof(WORD)) return 0;
  const auto signature = ReadAt<WORD>(Data, Offset);
  uint64_t header = sizeof(WORD), length = signature >> 8;
  if (length == 0xFF) {
    header += sizeof(WORD);
    if (left < header) return 0;
    length = ReadAt<WORD>(Data, Offset + sizeof(WORD));
  } else if (length == 0) {
    header += sizeof(DWORD);
    if (left < header) return 0;
    length = ReadAt<DWORD>(Data, Offset + sizeof(WORD));
  }
  return length >= header && length <= left ? length : 0;
}

void HugeNSFRTFItemAppend(NOTEHANDLE NoteHandle, WORD ItemFlags, const char* Name, WORD NameLength,
                          const void* Value, DWORD ValueLength) {
  const std::string name(Name, NameLength);
  const auto* data = static_cast<const char*>(Value);
  const std::vector<TPiece> pieces = Pieces(data, ValueLength, name);
  const TAppendedItems appended(NoteHandle, name);
  for (const TPiece& piece : pieces) {
    const STATUS status = NSFItemAppend(NoteHandle, ItemFlags, Name, NameLength, TYPE_COMPOSITE,
                                        data + piece.Start, static_cast<DWORD>(piece.Length));
    if (status == NOERROR) continue;
    appended.Remove();
    CheckNotesStatus(status);
  }
}
