#include "names/AddressBookIndex.h"

#include <algorithm>
#include <set>

#include "storage/DbFile.h"

namespace notesrt {

namespace {

// Keys are compared as bytes of folded UTF-8, which never holds 0xFF, so every key that
// begins with a prefix sorts below the prefix followed by 0xFF.
std::string PrefixEnd(std::string_view Prefix) {
  return std::string(Prefix) + '\xFF';
}

std::vector<NOTEID> NoteIds(TSqlQuery& Query) {
  std::vector<NOTEID> ids;
  std::set<NOTEID> seen;
  while (Query.Step()) {
    auto id = static_cast<NOTEID>(Query.Int(0));
    if (seen.insert(id).second) ids.push_back(id);
  }
  return ids;
}

}  // namespace

void TAddressBookIndex::NoteStored(const TStoredNote& Note) {
  std::optional<TAddressBookEntry> entry = AddressBookEntryOf(Note);
  if (!entry) {
    if (HasTables()) Forget(Note.Header.Id);
    return;
  }
  CreateTables();
  Forget(Note.Header.Id);
  Insert(Note.Header.Id, *entry);
}

void TAddressBookIndex::NoteDeleted(NOTEID Id) {
  if (HasTables()) Forget(Id);
}

std::vector<NOTEID> TAddressBookIndex::Exact(TNameSpace Space, std::string_view Key) {
  if (!HasTables()) return {};
  TSqlQuery query(FFile.Statement(
      "SELECT note_id FROM name_keys WHERE space = ? AND key = ? ORDER BY note_id"));
  query.Bind(1, static_cast<int64_t>(Space)).BindBlob(2, Key);
  return NoteIds(query);
}

std::vector<NOTEID> TAddressBookIndex::Prefixed(TNameSpace Space, std::string_view Prefix) {
  if (!HasTables()) return {};
  TSqlQuery query(
      FFile.Statement("SELECT note_id FROM name_keys WHERE space = ? AND key >= ? AND key < ? "
                      "ORDER BY key, note_id"));
  std::string end = PrefixEnd(Prefix);
  query.Bind(1, static_cast<int64_t>(Space)).BindBlob(2, Prefix).BindBlob(3, end);
  return NoteIds(query);
}

size_t TAddressBookIndex::CountAll() {
  if (!HasTables()) return 0;
  // Without a condition SQLite counts the table's pages' cells instead of stepping through rows.
  TSqlQuery query(FFile.Statement("SELECT count(*) FROM name_entries"));
  return query.Step() ? static_cast<size_t>(query.Int(0)) : 0;
}

void TAddressBookIndex::ForEach(
    TNameSpace Space, const std::function<void(NOTEID Id, std::string_view Items)>& Visit) {
  if (!HasTables()) return;
  TSqlQuery query(FFile.Statement(
      "SELECT n.note_id, n.items FROM name_entries e JOIN notes n ON n.note_id = e.note_id "
      "WHERE e.space = ? AND n.deleted = 0 ORDER BY e.first_key, e.note_id"));
  query.Bind(1, static_cast<int64_t>(Space));
  while (query.Step()) Visit(static_cast<NOTEID>(query.Int(0)), query.Blob(1));
}

// Asked every time rather than remembered: a write that created the tables may still roll
// back, and another process may create them at any moment.
bool TAddressBookIndex::HasTables() {
  return FFile.HasTable("name_entries");
}

void TAddressBookIndex::CreateTables() {
  if (HasTables()) return;
  FFile.Execute(
      "CREATE TABLE name_keys(space INTEGER, key BLOB, note_id INTEGER, "
      "  PRIMARY KEY(space, key, note_id)) WITHOUT ROWID;"
      "CREATE INDEX name_keys_note ON name_keys(note_id);"
      "CREATE TABLE name_entries(note_id INTEGER PRIMARY KEY, space INTEGER, first_key BLOB);"
      "CREATE INDEX name_entries_order ON name_entries(space, first_key, note_id);");
}

void TAddressBookIndex::Forget(NOTEID Id) {
  TSqlQuery(FFile.Statement("DELETE FROM name_keys WHERE note_id = ?")).Bind(1, Id).Run();
  TSqlQuery(FFile.Statement("DELETE FROM name_entries WHERE note_id = ?")).Bind(1, Id).Run();
}

// A document without any key still gets its entry, so that it is listed with everybody.
void TAddressBookIndex::Insert(NOTEID Id, const TAddressBookEntry& Entry) {
  auto space = static_cast<int64_t>(Entry.Space);
  TSqlStatement& insertKey =
      FFile.Statement("INSERT INTO name_keys(space, key, note_id) VALUES(?, ?, ?)");
  for (const std::string& key : Entry.Keys)
    TSqlQuery(insertKey).Bind(1, space).BindBlob(2, key).Bind(3, Id).Run();
  auto first = std::min_element(Entry.Keys.begin(), Entry.Keys.end());
  TSqlQuery entry(
      FFile.Statement("INSERT INTO name_entries(note_id, space, first_key) VALUES(?, ?, ?)"));
  entry.Bind(1, Id).Bind(2, space);
  if (first == Entry.Keys.end())
    entry.BindBlob(3, "");
  else
    entry.BindBlob(3, *first);
  entry.Run();
}

}  // namespace notesrt
