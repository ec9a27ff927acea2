#pragma once

#include <memory>
#include <optional>
#include <string>

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

// One item of an open note. Its value lives in a runtime-owned memory block (type word, then the
// value) that ValueBlock names, so OSLockBlock on the value BLOCKID points at the type word; the
// item BLOCKID names a block of its own holding the name.
struct TNoteItem {
  std::string Name;
  WORD Flags = 0;
  WORD Type = 0;
  TIMEDATE Changed{};
  DHANDLE ItemBlock = 0;
  DHANDLE ValueBlock = 0;
  std::optional<TObjectRef> Object;
};

}  // namespace notesrt
