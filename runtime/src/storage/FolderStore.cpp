#include "storage/FolderStore.h"

#include "storage/DbFile.h"

namespace notesrt {

void TFolderStore::Add(NOTEID Folder, const std::set<NOTEID>& Ids) {
  TSqlStatement& insert = FFile.Statement(
      "INSERT OR IGNORE INTO folder_members(folder_id, note_id, seq) VALUES(?1, ?2, "
      "  (SELECT ifnull(max(seq), 0) + 1 FROM folder_members WHERE folder_id = ?1))");
  for (NOTEID id : Ids) TSqlQuery(insert).Bind(1, Folder).Bind(2, id).Run();
  MarkChanged(Folder);
}

void TFolderStore::Remove(NOTEID Folder, const std::set<NOTEID>& Ids) {
  TSqlStatement& remove =
      FFile.Statement("DELETE FROM folder_members WHERE folder_id = ? AND note_id = ?");
  for (NOTEID id : Ids) TSqlQuery(remove).Bind(1, Folder).Bind(2, id).Run();
  MarkChanged(Folder);
}

void TFolderStore::RemoveAll(NOTEID Folder) {
  TSqlQuery(FFile.Statement("DELETE FROM folder_members WHERE folder_id = ?"))
      .Bind(1, Folder)
      .Run();
  MarkChanged(Folder);
}

void TFolderStore::Copy(NOTEID From, NOTEID To) {
  TSqlQuery(FFile.Statement("INSERT OR IGNORE INTO folder_members(folder_id, note_id, seq) "
                            "SELECT ?2, note_id, seq FROM folder_members WHERE folder_id = ?1"))
      .Bind(1, From)
      .Bind(2, To)
      .Run();
  MarkChanged(To);
}

std::unordered_set<NOTEID> TFolderStore::Members(NOTEID Folder) {
  TSqlQuery query(FFile.Statement("SELECT note_id FROM folder_members WHERE folder_id = ?"));
  query.Bind(1, Folder);
  std::unordered_set<NOTEID> members;
  while (query.Step()) members.insert(static_cast<NOTEID>(query.Int(0)));
  return members;
}

std::vector<NOTEID> TFolderStore::Unindexed(NOTEID Folder) {
  TSqlQuery query(FFile.Statement(
      "SELECT note_id FROM folder_members m WHERE folder_id = ?1 AND NOT EXISTS "
      "(SELECT 1 FROM view_entries e WHERE e.view_id = ?1 AND e.note_id = m.note_id)"));
  query.Bind(1, Folder);
  std::vector<NOTEID> ids;
  while (query.Step()) ids.push_back(static_cast<NOTEID>(query.Int(0)));
  return ids;
}

// The indexes take a deleted note's entries out themselves, with their tally, when they next
// come up to date: a view finds the note's stub among the changed notes, and a folder is told
// that its members changed. Entries taken out here instead would leave the tally wrong and every
// index holding them rebuilt as damaged. A note deleted without a stub leaves nothing to find:
// the indexes that hold it are built again.
void TFolderStore::ForgetNote(NOTEID Note) {
  TSqlQuery query(FFile.Statement("SELECT folder_id FROM folder_members WHERE note_id = ?"));
  query.Bind(1, Note);
  std::vector<NOTEID> folders;
  while (query.Step()) folders.push_back(static_cast<NOTEID>(query.Int(0)));
  for (NOTEID folder : folders) Remove(folder, {Note});
  TSqlQuery stub(FFile.Statement("SELECT count(*) FROM notes WHERE note_id = ?"));
  if (stub.Bind(1, Note).Step() && stub.Int(0) == 0)
    TSqlQuery(FFile.Statement("UPDATE view_index SET format = 0 WHERE view_id IN "
                              "(SELECT view_id FROM view_entries WHERE note_id = ?)"))
        .Bind(1, Note)
        .Run();
  ForgetView(Note);
}

void TFolderStore::ForgetView(NOTEID View) {
  RemoveAll(View);
  TSqlQuery(FFile.Statement("DELETE FROM view_entries WHERE view_id = ?")).Bind(1, View).Run();
  TSqlQuery(FFile.Statement("DELETE FROM view_index WHERE view_id = ?")).Bind(1, View).Run();
}

void TFolderStore::MarkChanged(NOTEID Folder) {
  TSqlQuery(FFile.Statement("UPDATE view_index SET members_changed = 1 WHERE view_id = ?"))
      .Bind(1, Folder)
      .Run();
}

}  // namespace notesrt
