#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

// Where the contents of an attachment (a TYPE_OBJECT item) are: an object of a database, or
// bytes attached in memory that the next update stores.
struct TObjectRef {
  std::shared_ptr<TDatabase> Database;
  DWORD ObjectId = 0;
  std::shared_ptr<const std::string> Bytes;
};

// One item of an open note. An item read from the database is first only a view of its value in
// the note's stored form (Loaded, without the type word), so that opening a note to read a few
// items copies no values; the first request for the whole value or for changing it copies it
// into Value. Its value (type word, then the value) is held in Value until somebody
// asks for the value's BLOCKID; from then on it lives in a runtime-owned memory block that
// ValueBlock names, so OSLockBlock on the value BLOCKID points at the type word. The item BLOCKID
// names a block of its own holding the name, also made on first request. Most notes are opened,
// read by item name and closed without any BLOCKID handed out, and then cost no handles.
struct TNoteItem {
  std::string Name;
  WORD Flags = 0;
  WORD Type = 0;
  TIMEDATE Changed{};
  std::string Value;
  std::string_view Loaded;  // while Value is empty and there is no ValueBlock
  DHANDLE ItemBlock = 0;
  DHANDLE ValueBlock = 0;
  std::optional<TObjectRef> Object;
  // Tells an item apart from a later one that happens to reuse its memory.
  uint64_t Serial = 0;
};

}  // namespace notesrt
