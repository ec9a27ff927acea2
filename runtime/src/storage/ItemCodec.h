#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/StoredNote.h"

namespace notesrt {

// A note's items as stored: one blob per note, so that opening a note reads one row and saving
// it writes one. Each item is a fixed header (name length WORD, flags WORD, type WORD, value
// length DWORD, last-changed TIMEDATE), then the name, then the value without its type word.
std::string EncodeItems(const std::vector<TStoredItem>& Items);

// An item inside a blob, read without copying: valid for as long as the blob is.
struct TItemView {
  std::string_view Name;
  WORD Flags = 0;
  WORD Type = 0;
  std::string_view Value;
  TIMEDATE Changed{};
};
// The items of a blob, into Items (cleared first: a caller decoding many notes reuses one
// vector). ERR_INVALID_ITEMUNK when a length runs past the blob.
void DecodeItemViews(std::string_view Blob, std::vector<TItemView>& Items);

}  // namespace notesrt
