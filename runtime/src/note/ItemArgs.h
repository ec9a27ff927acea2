#pragma once

#include <optional>
#include <string_view>

#include "note/Note.h"
#include "notesapi/global.h"
#include "notesapi/pool.h"

namespace notesrt {

// The open note behind a handle; ERR_NOTESRT_INVALID_HANDLE for anything else.
TNote& NoteOf(DHANDLE Handle);
// An item name given as pointer and length; MAXWORD means NUL-terminated. No name at all
// (null pointer) is nullopt.
std::optional<std::string_view> ItemNameArg(const char* Name, WORD Length);
// A NUL-terminated item name; ERR_MISC_INVALID_ARGS when null.
std::string_view NameArg(const char* Name);
// Fills an optional output.
template <class T>
void SetIfGiven(T* Target, const T& Value) {
  if (Target) *Target = Value;
}
// A value in memory by BLOCKID and length (type word included), cut to what its block holds.
// ERR_NOTESRT_INVALID_HANDLE when the pool is no memory block.
std::string_view ValueArg(const BLOCKID& Value, DWORD Length);
// The current time, for an item's last-changed time.
TIMEDATE ItemChangeTime();

}  // namespace notesrt
