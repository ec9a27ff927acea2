#include "acl/ReaderIndex.h"

#include "acl/Access.h"
#include "storage/DbFile.h"

namespace notesrt {

void TReaderIndex::NoteStored(const TStoredNote& Note) {
  TNoteNames names = TNoteNames::Of(Note.Items);
  bool table = HasTable();
  if (table) Forget(Note.Header.Id);
  if (!names.HasReaders) return;
  if (!table)
    FFile.Execute(
        "CREATE TABLE note_readers(note_id INTEGER, name BLOB, PRIMARY KEY(note_id, name)) "
        "WITHOUT ROWID;");
  TSqlStatement& insert =
      FFile.Statement("INSERT OR IGNORE INTO note_readers(note_id, name) VALUES(?, ?)");
  // A Readers item naming nobody still restricts the document: only the server reads it.
  names.Readers.emplace_back();
  for (const std::string& name : names.Readers)
    TSqlQuery(insert).Bind(1, Note.Header.Id).BindBlob(2, name).Run();
}

void TReaderIndex::NoteDeleted(NOTEID Id) {
  if (HasTable()) Forget(Id);
}

void TReaderIndex::ForEach(
    const std::function<void(NOTEID, const std::vector<std::string>&)>& Visit) {
  if (!HasTable()) return;
  TSqlQuery query(FFile.Statement("SELECT note_id, name FROM note_readers ORDER BY note_id"));
  NOTEID current = 0;
  std::vector<std::string> names;
  while (query.Step()) {
    auto id = static_cast<NOTEID>(query.Int(0));
    if (id != current && !names.empty()) Visit(current, names);
    if (id != current) names.clear();
    current = id;
    names.emplace_back(query.Blob(1));
  }
  if (!names.empty()) Visit(current, names);
}

// Asked every time: another process may create the table at any moment.
bool TReaderIndex::HasTable() {
  return FFile.HasTable("note_readers");
}

void TReaderIndex::Forget(NOTEID Id) {
  TSqlQuery(FFile.Statement("DELETE FROM note_readers WHERE note_id = ?")).Bind(1, Id).Run();
}

}  // namespace notesrt
