#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/StoredNote.h"

namespace notesrt {

// What the full-text index keeps of one item name of a document: the texts of its text, text
// list and rich-text items, in UTF-8, one line per list entry and paragraph.
struct TFullTextField {
  // FullTextFieldKey of the item name.
  std::string Key;
  std::string Text;
};

// The searchable fields of a note in item order, several items of one name (rich text split
// over items) joined into one field. Empty for design notes, profiles and notes without text.
std::vector<TFullTextField> FullTextFields(const TStoredNote& Note);

// Item names match without regard to ASCII case, as everywhere in the runtime; queries name
// fields in UTF-8, items in LMBCS, and both become this key.
std::string FullTextFieldKey(std::string_view Utf8Name);

}  // namespace notesrt
