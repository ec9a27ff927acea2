#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "notesapi/acl.h"
#include "notesapi/nsfdata.h"
#include "storage/DbAccess.h"

namespace notesrt {

class TDatabase;

// The names a note's Readers and Authors items hold, each as a name-list key (NameKey).
struct TNoteNames {
  bool HasReaders = false;
  // Readers and Authors names alike: both let a named user read a note that has Readers.
  std::vector<std::string> Readers;
  std::vector<std::string> Authors;

  // Takes one item's names when it is a Readers or Authors item (value without its type word).
  void Add(WORD Flags, WORD Type, std::string_view Value);
  template <class TItems>
  static TNoteNames Of(const TItems& Items) {
    TNoteNames names;
    for (const auto& item : Items) names.Add(item.Flags, item.Type, item.Value);
    return names;
  }
};

// How a name of a Readers or Authors item, a group or a role compares: canonical and folded.
std::string NameKey(std::string_view Lmbcs);

// Which notes of a database one user sees, worked out once for a listing.
class TVisibility {
 public:
  TVisibility(bool Documents, std::unordered_set<NOTEID> Hidden)
      : FDocuments(Documents), FHidden(std::move(Hidden)) {}
  bool Shows(NOTEID Id, WORD NoteClass) const;

 private:
  bool FDocuments;
  std::unordered_set<NOTEID> FHidden;
};

// The effective access of the current user to one server database, decided when it was opened:
// level, flags and the user's name list (their name, groups and roles in this database). Each
// Check raises ERR_NOACCESS for what the level, flags or the note's Authors and Readers items
// do not allow, before anything changes. The server itself reads every note.
class TAccess : public IDbAccess {
 public:
  TAccess(WORD Level, WORD Flags, std::vector<std::string> Names, bool Server);

  WORD Level() const { return FLevel; }
  WORD Flags() const { return FFlags; }
  bool Names(const std::vector<std::string>& Keys) const;

  bool MayRead(WORD NoteClass, const TNoteNames& Note) const;
  void CheckRead(WORD NoteClass, const TNoteNames& Note) const;
  void CheckCreate(WORD NoteClass) const;
  // Stored: the names of the note as it is stored now.
  void CheckUpdate(WORD NoteClass, const TNoteNames& Stored) const;
  void CheckDelete(WORD NoteClass, const TNoteNames& Stored) const;
  void CheckStoreAcl() const;
  // Making a folder, and changing one's design, name or place.
  void CheckCreateFolder(bool Private) const;
  // Adding documents to a folder and removing them.
  void CheckFolderContents(bool Private) const;

  TVisibility VisibilityIn(TDatabase& Database) const;
  void RemoveHidden(TDatabase& Database, std::vector<NOTEID>& Ids) const override;

  // The access behind a database handle; null when nothing is enforced.
  static const TAccess* Of(DBHANDLE Handle);
  static const TAccess* Of(const std::shared_ptr<const IDbAccess>& Access);

 private:
  bool MayChange(WORD NoteClass, const TNoteNames& Stored) const;

  WORD FLevel;
  WORD FFlags;
  std::unordered_set<std::string> FNames;
  bool FServer;
};

}  // namespace notesrt
