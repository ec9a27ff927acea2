#pragma once

#include <string_view>

#include "notesapi/nsfdata.h"
#include "notesapi/pool.h"

namespace notesrt {

class TNote;
struct TNoteItem;

struct TAttachOptions {
  WORD ItemFlags = 0;
  WORD Host = 0;
  WORD Compression = 0;
  WORD FileFlags = 0;
};

// Reads the file at DiskPath (LMBCS) now and appends it as a TYPE_OBJECT item named ItemName
// whose FILEOBJECT carries StoredName; the bytes stay with the note until its next update
// stores them as an object of its database.
void AttachFile(TNote& Note, std::string_view ItemName, std::string_view DiskPath,
                std::string_view StoredName, const TAttachOptions& Options);
// The attachment item an item BLOCKID names: ERR_ITEM_NOT_FOUND for a stale one,
// ERR_INVALID_ITEMUNK for an item that is not an attachment.
TNoteItem& AttachmentItem(TNote& Note, const BLOCKID& Item);
// Writes the attachment's bytes to Target (LMBCS) whole or not at all (WriteFileAtomically).
void ExtractFile(TNote& Note, const BLOCKID& Item, std::string_view Target);
// The Index-th (0-based) "$FILE" item in note order, or null.
TNoteItem* NthFileItem(TNote& Note, size_t Index);

}  // namespace notesrt
