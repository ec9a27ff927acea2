#include "storage/ObjectStore.h"

#include <vector>

#include "core/EStatus.h"
#include "notesapi/nsferr.h"
#include "storage/DbFile.h"

namespace notesrt {

std::string TObjectStore::Read(DWORD ObjectId) {
  std::optional<std::string> data = Find(ObjectId);
  if (!data) throw EStatus(ERR_INVALID_ITEMUNK);
  return std::move(*data);
}

std::optional<std::string> TObjectStore::Find(DWORD ObjectId) {
  TSqlQuery query(FFile.Statement("SELECT data FROM objects WHERE object_id = ?"));
  query.Bind(1, ObjectId);
  if (!query.Step()) return std::nullopt;
  return std::string(query.Blob(0));
}

bool TObjectStore::IsOwnedBy(DWORD ObjectId, NOTEID Note) {
  TSqlQuery query(FFile.Statement("SELECT note_id FROM objects WHERE object_id = ?"));
  query.Bind(1, ObjectId);
  return query.Step() && query.Int(0) == Note;
}

DWORD TObjectStore::Add(NOTEID Note, std::string_view Data) {
  TSqlQuery query(
      FFile.Statement("INSERT INTO objects(note_id, data) VALUES(?, ?) RETURNING object_id"));
  query.Bind(1, Note).BindBlob(2, Data);
  query.Step();
  auto id = static_cast<DWORD>(query.Int(0));
  query.Run();
  return id;
}

void TObjectStore::DropUnreferenced(NOTEID Note, const std::set<DWORD>& Keep) {
  std::vector<DWORD> drop;
  {
    TSqlQuery query(FFile.Statement("SELECT object_id FROM objects WHERE note_id = ?"));
    query.Bind(1, Note);
    while (query.Step())
      if (!Keep.count(static_cast<DWORD>(query.Int(0))))
        drop.push_back(static_cast<DWORD>(query.Int(0)));
  }
  TSqlStatement& remove = FFile.Statement("DELETE FROM objects WHERE object_id = ?");
  for (DWORD id : drop) TSqlQuery(remove).Bind(1, id).Run();
}

}  // namespace notesrt
