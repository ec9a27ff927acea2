#pragma once

#include <set>
#include <string>
#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDbFile;

// Per-user unread marks, kept current as documents come and go. Users are keyed by their
// case-folded name.
class TUnreadStore {
 public:
  explicit TUnreadStore(TDbFile& File) : FFile(File) {}

  bool HasUser(std::string_view UserKey);
  std::set<NOTEID> Ids(std::string_view UserKey);
  // Inside a write: a table for a new user, with every document unread.
  void AddUserWithAllDocuments(std::string_view UserKey);
  // Inside a write.
  void Apply(std::string_view UserKey, const std::set<NOTEID>& MarkUnread,
             const std::set<NOTEID>& MarkRead);
  // Inside a write: a new document is unread for everyone who has a table.
  void AddDocument(NOTEID Id);
  void RemoveNote(NOTEID Id);

 private:
  TDbFile& FFile;
};

}  // namespace notesrt
