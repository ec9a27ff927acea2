#pragma once

#include <string>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

// The header of a note as stored: what NSFNoteGetInfo reports.
struct TNoteHeader {
  NOTEID Id = 0;
  ORIGINATORID Oid{};
  WORD Class = 1;
  WORD Flags = 0;
  TIMEDATE Modified{};
  TIMEDATE Accessed{};
  TIMEDATE Added{};
  NOTEID Parent = 0;
  // Profile notes carry their key (folded name and user); empty name for every other note.
  std::string ProfileName;
  std::string ProfileUser;
};

// One item as stored: the value without its type word.
struct TStoredItem {
  std::string Name;
  WORD Flags = 0;
  WORD Type = 0;
  std::string Value;
  TIMEDATE Changed{};
};

struct TStoredNote {
  TNoteHeader Header;
  std::vector<TStoredItem> Items;
};

}  // namespace notesrt
