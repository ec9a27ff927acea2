#include "search/SearchScan.h"

#include "notesapi/nsfnote.h"
#include "storage/DbFile.h"
#include "storage/NoteStore.h"
#include "storage/StoredValue.h"

namespace notesrt {

namespace {

// Shared by Next and Find; ?2 to ?4 are the filter. The header columns the scan needs, and no
// more: a search reads a great many rows.
constexpr char ScanRows[] =
    "SELECT note_id, class, flags, unid, seq, seq_time, modified, parent_id, deleted, items "
    "FROM notes WHERE (class & ?2) <> 0 AND profile_name IS NULL AND changed_counter > ?3 "
    "AND (deleted = 0 OR ?4) ";
// Added when no document is asked for: it matches the partial index of the notes that are no
// documents.
constexpr char NoDocuments[] = "AND class <> 1 ";
constexpr int ParentColumn = 7;
constexpr int DeletedColumn = 8;
constexpr int ItemsColumn = 9;

// The blob holds every item; a search sees the summary ones.
void ReadSummary(TScannedNote& Note, std::string_view Blob) {
  Note.Blob.assign(Blob.begin(), Blob.end());
  DecodeItemViews({Note.Blob.data(), Note.Blob.size()}, Note.Items);
  std::erase_if(Note.Items, [](const TItemView& Item) { return !(Item.Flags & ITEM_SUMMARY); });
}

}  // namespace

bool TNoteScan::Next(TNotes& Batch) {
  const bool documents = (FFilter.ClassMask & NOTE_CLASS_DOCUMENT) != 0;
  TSqlQuery query(FFile.Statement(std::string(ScanRows) + (documents ? "" : NoDocuments) +
                                  "AND note_id > ?1 ORDER BY note_id LIMIT ?5"));
  query.Bind(1, FAfter).Bind(5, BatchSize);
  ReadRows(query, Batch);
  if (!Batch.empty()) FAfter = Batch.back().Header.Id;
  return !Batch.empty();
}

std::optional<TScannedNote> TNoteScan::Find(NOTEID Id) {
  TSqlQuery query(FFile.Statement(std::string(ScanRows) + "AND note_id = ?1"));
  query.Bind(1, Id);
  TNotes notes;
  ReadRows(query, notes);
  if (notes.empty()) return std::nullopt;
  return std::move(notes.front());
}

// The notes already in Notes are overwritten rather than made anew: their buffers are reused.
void TNoteScan::ReadRows(TSqlQuery& Query, TNotes& Notes) {
  Query.Bind(2, FFilter.ClassMask).Bind(3, FFilter.ChangedAfter).Bind(4, FFilter.Stubs ? 1 : 0);
  size_t count = 0;
  while (Query.Step()) {
    if (count == Notes.size()) Notes.emplace_back();
    TScannedNote& note = Notes[count++];
    ReadNoteIdentity(Query, note.Header);
    note.Header.Parent = static_cast<NOTEID>(Query.Int(ParentColumn));
    note.Deleted = Query.Int(DeletedColumn) != 0;
    note.Blob.clear();
    note.Items.clear();
    if (FFilter.Items) ReadSummary(note, Query.Blob(ItemsColumn));
  }
  Notes.resize(count);
}

}  // namespace notesrt
