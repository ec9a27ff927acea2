#pragma once

#include <string>
#include <vector>

#include "NotesApi.h"

// Where one item of a note lies: its descriptor, data type, value block and value length (the
// type word included).
struct TItemValue {
  BLOCKID Item{};
  WORD DataType = 0;
  BLOCKID Value{};
  DWORD Length = 0;
};

// The items named LmbcsName that follow the item After in the note, in note order; with a null
// After, every item of the name. A long rich-text field or text is stored as several items of
// one name, read back in this order.
std::vector<TItemValue> ItemValuesAfter(NOTEHANDLE Note, const std::string& LmbcsName,
                                        BLOCKID After);
