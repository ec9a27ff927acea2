#include "storage/NoteStore.h"

#include "core/EStatus.h"
#include "notesapi/nsferr.h"
#include "storage/DbFile.h"
#include "storage/ItemCodec.h"
#include "storage/Oid.h"
#include "storage/StoredValue.h"

namespace notesrt {

void ReadNoteIdentity(const TSqlQuery& Query, TNoteHeader& Header) {
  Header.Id = static_cast<NOTEID>(Query.Int(0));
  Header.Class = static_cast<WORD>(Query.Int(1));
  Header.Flags = static_cast<WORD>(Query.Int(2));
  auto unid = FromBytes<UNIVERSALNOTEID>(Query.Blob(3));
  Header.Oid.File[0] = unid.File[0];
  Header.Oid.File[1] = unid.File[1];
  Header.Oid.Note = unid.Note;
  Header.Oid.Sequence = static_cast<DWORD>(Query.Int(4));
  Header.Oid.SequenceTime = FromBytes<TIMEDATE>(Query.Blob(5));
  Header.Modified = FromBytes<TIMEDATE>(Query.Blob(6));
}

TNoteRow ReadNoteRow(const TSqlQuery& Query) {
  TNoteRow row;
  TNoteHeader& header = row.Header;
  ReadNoteIdentity(Query, header);
  header.Accessed = FromBytes<TIMEDATE>(Query.Blob(7));
  header.Added = FromBytes<TIMEDATE>(Query.Blob(8));
  header.Parent = static_cast<NOTEID>(Query.Int(9));
  row.Deleted = Query.Int(10) != 0;
  header.ProfileName = std::string(Query.Blob(11));
  header.ProfileUser = std::string(Query.Blob(12));
  return row;
}

namespace {

const std::string RowById = std::string(NoteRowSelect) + "WHERE note_id = ?";

}  // namespace

std::optional<TNoteRow> TNoteStore::Row(NOTEID Id) {
  TSqlQuery query(FFile.Statement(RowById));
  query.Bind(1, Id);
  if (!query.Step()) return std::nullopt;
  return ReadNoteRow(query);
}

TStoredNote TNoteStore::Load(NOTEID Id) {
  std::string blob;
  std::vector<TItemView> views;
  TStoredNote note{Load(Id, blob, views), {}};
  note.Items.reserve(views.size());
  for (const TItemView& view : views)
    note.Items.push_back(TStoredItem{std::string(view.Name), view.Flags, view.Type,
                                     std::string(view.Value), view.Changed});
  return note;
}

TNoteHeader TNoteStore::Load(NOTEID Id, std::string& Blob, std::vector<TItemView>& Items) {
  TSqlQuery query(FFile.Statement(RowById));
  query.Bind(1, Id);
  if (!query.Step()) throw EStatus(ERR_INVALID_NOTE);
  TNoteRow row = ReadNoteRow(query);
  if (row.Deleted) throw EStatus(ERR_NOTE_DELETED);
  Blob.assign(query.Blob(NoteItemsColumn));
  DecodeItemViews(Blob, Items);
  return row.Header;
}

std::vector<TStoredItem> TNoteStore::Items(NOTEID Id) {
  return Load(Id).Items;
}

NOTEID TNoteStore::IdOfUnid(const UNIVERSALNOTEID& Unid) {
  TSqlQuery query(FFile.Statement("SELECT note_id FROM notes WHERE unid = ?"));
  query.BindBlob(1, BytesOf(Unid));
  return query.Step() ? static_cast<NOTEID>(query.Int(0)) : 0;
}

NOTEID TNoteStore::IdOfProfile(std::string_view Name, std::string_view User) {
  TSqlQuery query(FFile.Statement(
      "SELECT note_id FROM notes WHERE profile_name = ? AND profile_user = ? AND deleted = 0"));
  query.BindText(1, Name).BindText(2, User);
  return query.Step() ? static_cast<NOTEID>(query.Int(0)) : 0;
}

std::vector<TNoteHeader> TNoteStore::List() {
  TSqlQuery query(
      FFile.Statement(std::string(NoteRowSelect) + "WHERE deleted = 0 ORDER BY note_id"));
  std::vector<TNoteHeader> headers;
  while (query.Step()) headers.push_back(ReadNoteRow(query).Header);
  return headers;
}

std::set<NOTEID> TNoteStore::Documents(int64_t AddedAfter) {
  TSqlQuery query(FFile.Statement(
      "SELECT note_id FROM notes WHERE deleted = 0 AND class = 1 AND profile_name IS NULL "
      "AND added_counter > ?"));
  query.Bind(1, AddedAfter);
  std::set<NOTEID> ids;
  while (query.Step()) ids.insert(static_cast<NOTEID>(query.Int(0)));
  return ids;
}

void TNoteStore::Store(const TStoredNote& Note, int64_t Counter, bool IsNew) {
  const TNoteHeader& header = Note.Header;
  // A new note is only ever inserted: an ID that is taken fails the save instead of replacing
  // the note that has it.
  TSqlQuery query(FFile.Statement(
      IsNew ? "INSERT INTO notes(note_id, class, flags, unid, seq, seq_time, modified, accessed, "
              "  added, parent_id, deleted, deleted_time, profile_name, profile_user, "
              "  added_counter, changed_counter, items) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
              "  ?9, ?10, 0, NULL, ?11, ?12, ?13, ?13, ?14)"
            : "UPDATE notes SET class = ?2, flags = ?3, unid = ?4, seq = ?5, seq_time = ?6, "
              "  modified = ?7, accessed = ?8, added = ?9, parent_id = ?10, deleted = 0, "
              "  deleted_time = NULL, profile_name = ?11, profile_user = ?12, "
              "  changed_counter = ?13, items = ?14 WHERE note_id = ?1"));
  query.Bind(1, header.Id).Bind(2, header.Class).Bind(3, header.Flags);
  query.BindBlob(4, BytesOf(UnidOf(header.Oid))).Bind(5, header.Oid.Sequence);
  query.BindBlob(6, BytesOf(header.Oid.SequenceTime)).BindBlob(7, BytesOf(header.Modified));
  query.BindBlob(8, BytesOf(header.Accessed)).BindBlob(9, BytesOf(header.Added));
  query.Bind(10, header.Parent);
  if (header.ProfileName.empty())
    query.BindNull(11).BindNull(12);
  else
    query.BindText(11, header.ProfileName).BindText(12, header.ProfileUser);
  query.Bind(13, Counter).BindBlob(14, EncodeItems(Note.Items));
  query.Run();
}

void TNoteStore::Delete(NOTEID Id, const TIMEDATE& Now, int64_t Counter, bool NoStub) {
  if (NoStub) {
    TSqlQuery(FFile.Statement("DELETE FROM notes WHERE note_id = ?")).Bind(1, Id).Run();
    return;
  }
  TSqlQuery query(FFile.Statement(
      "UPDATE notes SET deleted = 1, deleted_time = ?2, modified = ?2, changed_counter = ?3, "
      "  parent_id = 0, profile_name = NULL, profile_user = NULL, items = x'' "
      "WHERE note_id = ?1"));
  query.Bind(1, Id).BindBlob(2, BytesOf(Now)).Bind(3, Counter).Run();
}

}  // namespace notesrt
