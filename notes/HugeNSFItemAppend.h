#pragma once

#include "NotesApi.h"

// The largest piece of a value that goes into one item.
constexpr DWORD MaxItemPiece = 65000;

// Appends a value of any length: up to MaxItemPiece bytes as one item, a longer one as several
// items of the same name, flags and type, each with the next piece in order. Raises ELotusNotes
// when an append fails.
void HugeNSFItemAppend(NOTEHANDLE Note, WORD ItemFlags, const char* Name, WORD NameLength,
                       WORD DataType, const void* Value, DWORD Length);

// The same for LMBCS text (TYPE_TEXT): every piece ends between two characters, so that each
// item holds whole characters and the pieces join back into the text.
void HugeNSFTextAppend(NOTEHANDLE Note, WORD ItemFlags, const char* Name, WORD NameLength,
                       const char* Text, DWORD Length);

// Every piece of a long text but the last is filled up to its last whole character (at most
// three bytes long), so it ends less than three bytes short of MaxItemPiece. A text item that
// full goes on in the next item of its name; a shorter one is a value of its own, so that
// separate values of one name ("Received") are not run together.
constexpr bool IsFullTextPiece(DWORD Length) {
  constexpr DWORD LongestCharacter = 3;
  return Length + LongestCharacter > MaxItemPiece;
}
