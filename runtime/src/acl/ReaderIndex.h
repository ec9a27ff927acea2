#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/NoteObserver.h"

namespace notesrt {

class TDbFile;

// The documents that have Readers items, with the names (NameKey) that may read them, kept
// beside the notes and brought up to date inside every write that stores or deletes a note,
// so that a listing leaves out what a user may not read without opening any document. The
// table appears with the first such document: a database that never held one has none.
class TReaderIndex : public INoteObserver {
 public:
  explicit TReaderIndex(TDbFile& File) : FFile(File) {}

  void NoteStored(const TStoredNote& Note) override;
  void NoteDeleted(NOTEID Id) override;

  // Every restricted document once, with all its reader names.
  void ForEach(const std::function<void(NOTEID, const std::vector<std::string>&)>& Visit);

 private:
  bool HasTable();
  void Forget(NOTEID Id);

  TDbFile& FFile;
};

}  // namespace notesrt
