#pragma once

#include "storage/StoredNote.h"

namespace notesrt {

// Told of every note written to or deleted from one database, inside the write transaction, so
// that what it keeps beside the notes (an index) commits or rolls back with them.
class INoteObserver {
 public:
  virtual ~INoteObserver() = default;
  virtual void NoteStored(const TStoredNote& Note) = 0;
  virtual void NoteDeleted(NOTEID Id) = 0;
};

}  // namespace notesrt
