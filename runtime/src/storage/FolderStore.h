#pragma once

#include <set>
#include <unordered_set>
#include <vector>

#include "notesapi/nsfdata.h"
#include "storage/NoteObserver.h"

namespace notesrt {

class TDbFile;

// Folder membership (insertion order kept) and the link to the folders' view indexes: a change
// of membership marks the folder's index for bringing up to date. As an observer of the
// database it takes deleted notes out of every folder and view index.
class TFolderStore : public INoteObserver {
 public:
  explicit TFolderStore(TDbFile& File) : FFile(File) {}

  void NoteStored(const TStoredNote&) override {}
  void NoteDeleted(NOTEID Id) override { ForgetNote(Id); }

  // Inside a write. Ids already in the folder keep their place.
  void Add(NOTEID Folder, const std::set<NOTEID>& Ids);
  void Remove(NOTEID Folder, const std::set<NOTEID>& Ids);
  void RemoveAll(NOTEID Folder);
  void Copy(NOTEID From, NOTEID To);
  std::unordered_set<NOTEID> Members(NOTEID Folder);
  // Members that the folder's index has no entry for.
  std::vector<NOTEID> Unindexed(NOTEID Folder);
  // Inside a write: the note leaves every folder and every view index; when it is a view or
  // folder, its index and membership go too.
  void ForgetNote(NOTEID Note);

 private:
  void ForgetView(NOTEID View);
  void MarkChanged(NOTEID Folder);

  TDbFile& FFile;
};

}  // namespace notesrt
