#include "HugeNSFItemAppend.h"

#include <algorithm>
#include <cstdint>

#include "ELotusNotes.h"
#include "NotesCharset.h"

namespace {

using TPieceEnd = DWORD (*)(const char* Value, DWORD Start, DWORD Length);

DWORD BytePieceEnd(const char*, DWORD Start, DWORD Length) {
  return Start + std::min(Length - Start, MaxItemPiece);
}

DWORD TextPieceEnd(const char* Text, DWORD Start, DWORD Length) {
  return static_cast<DWORD>(LmbcsPieceEnd(std::string_view(Text, Length), Start, MaxItemPiece));
}

void AppendPieces(NOTEHANDLE Note, WORD ItemFlags, const char* Name, WORD NameLength, WORD DataType,
                  const char* Value, DWORD Length, TPieceEnd PieceEnd) {
  DWORD start = 0;
  do {
    const DWORD end = PieceEnd(Value, start, Length);
    CheckNotesStatus(
        NSFItemAppend(Note, ItemFlags, Name, NameLength, DataType, Value + start, end - start));
    start = end;
  } while (start < Length);
}

}  // namespace

void HugeNSFItemAppend(NOTEHANDLE Note, WORD ItemFlags, const char* Name, WORD NameLength,
                       WORD DataType, const void* Value, DWORD Length) {
  AppendPieces(Note, ItemFlags, Name, NameLength, DataType, static_cast<const char*>(Value), Length,
               BytePieceEnd);
}

void HugeNSFTextAppend(NOTEHANDLE Note, WORD ItemFlags, const char* Name, WORD NameLength,
                       const char* Text, DWORD Length) {
  AppendPieces(Note, ItemFlags, Name, NameLength, TYPE_TEXT, Text, Length, TextPieceEnd);
}
