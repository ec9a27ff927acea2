#include "storage/UnreadStore.h"

#include "storage/DbFile.h"

namespace notesrt {

bool TUnreadStore::HasUser(std::string_view UserKey) {
  TSqlQuery query(FFile.Statement("SELECT 1 FROM unread_users WHERE user_key = ?"));
  query.BindText(1, UserKey);
  return query.Step();
}

std::set<NOTEID> TUnreadStore::Ids(std::string_view UserKey) {
  TSqlQuery query(FFile.Statement("SELECT note_id FROM unread WHERE user_key = ?"));
  query.BindText(1, UserKey);
  std::set<NOTEID> ids;
  while (query.Step()) ids.insert(static_cast<NOTEID>(query.Int(0)));
  return ids;
}

// Profile notes are not documents a user reads.
void TUnreadStore::AddUserWithAllDocuments(std::string_view UserKey) {
  TSqlQuery(FFile.Statement("INSERT OR IGNORE INTO unread_users(user_key) VALUES(?)"))
      .BindText(1, UserKey)
      .Run();
  TSqlQuery(FFile.Statement("INSERT OR IGNORE INTO unread(user_key, note_id) SELECT ?, note_id "
                            "FROM notes WHERE deleted = 0 AND class = 1 AND profile_name IS NULL"))
      .BindText(1, UserKey)
      .Run();
}

// Only IDs of live documents are marked unread, so a table never names a deleted note.
void TUnreadStore::Apply(std::string_view UserKey, const std::set<NOTEID>& MarkUnread,
                         const std::set<NOTEID>& MarkRead) {
  TSqlQuery(FFile.Statement("INSERT OR IGNORE INTO unread_users(user_key) VALUES(?)"))
      .BindText(1, UserKey)
      .Run();
  TSqlStatement& insert = FFile.Statement(
      "INSERT OR IGNORE INTO unread(user_key, note_id) SELECT ?, note_id FROM notes "
      "WHERE note_id = ? AND deleted = 0");
  for (NOTEID id : MarkUnread) TSqlQuery(insert).BindText(1, UserKey).Bind(2, id).Run();
  TSqlStatement& remove = FFile.Statement("DELETE FROM unread WHERE user_key = ? AND note_id = ?");
  for (NOTEID id : MarkRead) TSqlQuery(remove).BindText(1, UserKey).Bind(2, id).Run();
}

void TUnreadStore::AddDocument(NOTEID Id) {
  TSqlQuery(
      FFile.Statement(
          "INSERT OR IGNORE INTO unread(user_key, note_id) SELECT user_key, ? FROM unread_users"))
      .Bind(1, Id)
      .Run();
}

void TUnreadStore::RemoveNote(NOTEID Id) {
  TSqlQuery(FFile.Statement("DELETE FROM unread WHERE note_id = ?")).Bind(1, Id).Run();
}

}  // namespace notesrt
