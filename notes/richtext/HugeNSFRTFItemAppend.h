#pragma once

#include <cstdint>

#include "NotesApi.h"

// The most a piece of rich text takes before it is closed, and the most it may ever hold.
constexpr DWORD RichTextPieceSize = 40000;
constexpr DWORD MaxRichTextPiece = 64000;

// Appends Value, ValueLength bytes of whole CD records, as TYPE_COMPOSITE items called Name (an
// LMBCS name of NameLength bytes), after the items of that name the note has. Up to
// RichTextPieceSize bytes go into one item. A longer buffer is cut at record boundaries: a piece
// takes whole records until it holds at least RichTextPieceSize bytes, but a record that would
// take it past MaxRichTextPiece starts the next piece, and a longer record is an item alone.
// All or nothing: a damaged buffer raises ELotusNotes before anything is appended, and when an
// append fails the items appended before it are removed again.
void HugeNSFRTFItemAppend(NOTEHANDLE NoteHandle, WORD ItemFlags, const char* Name, WORD NameLength,
                          const void* Value, DWORD ValueLength);

// The length of the CD record at Offset of Data (Size bytes) by the header rule, header
// included, pad byte not; 0 when its header or the record runs past the buffer, or its length is
// below its header. 64-bit arithmetic: a DWORD length near 4 GiB must not wrap.
uint64_t CDRecordLength(const char* Data, uint64_t Size, uint64_t Offset);
