#pragma once

#include <memory>
#include <vector>

#include "storage/NoteObserver.h"

namespace notesrt {

class TDbFile;

// The observers of one database's note changes, in the order they were added.
class TNoteObservers {
 public:
  // Every index the storage keeps beside the notes of File.
  explicit TNoteObservers(TDbFile& File);

  void NoteStored(const TStoredNote& Note);
  void NoteDeleted(NOTEID Id);

 private:
  std::vector<std::unique_ptr<INoteObserver>> FObservers;
};

}  // namespace notesrt
