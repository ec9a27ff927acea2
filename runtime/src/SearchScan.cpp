#include "SearchScan.h"

#include "DbFile.h"
#include "StoredValue.h"
#include "notesapi/nsfnote.h"

namespace notesrt {

namespace {

// Shared by Next and Find; ?2 to ?4 are the filter.
constexpr std::string_view ScanRows =
    "SELECT note_id, class, flags, unid, seq, seq_time, modified, parent_id, deleted, items "
    "FROM notes "
    "WHERE (class & ?2) <> 0 AND profile_name IS NULL AND changed_counter > ?3 "
    "AND (deleted = 0 OR ?4) ";

TNoteHeader HeaderOf(const TSqlQuery& Query) {
  TNoteHeader header;
  header.Id = static_cast<NOTEID>(Query.Int(0));
  header.Class = static_cast<WORD>(Query.Int(1));
  header.Flags = static_cast<WORD>(Query.Int(2));
  auto unid = FromBytes<UNIVERSALNOTEID>(Query.Blob(3));
  header.Oid.File[0] = unid.File[0];
  header.Oid.File[1] = unid.File[1];
  header.Oid.Note = unid.Note;
  header.Oid.Sequence = static_cast<DWORD>(Query.Int(4));
  header.Oid.SequenceTime = FromBytes<TIMEDATE>(Query.Blob(5));
  header.Modified = FromBytes<TIMEDATE>(Query.Blob(6));
  header.Parent = static_cast<NOTEID>(Query.Int(7));
  return header;
}

// The blob holds every item; a search sees the summary ones.
void ReadSummary(TScannedNote& Note, std::string_view Blob) {
  Note.Blob.assign(Blob.begin(), Blob.end());
  DecodeItemViews({Note.Blob.data(), Note.Blob.size()}, Note.Items);
  std::erase_if(Note.Items, [](const TItemView& Item) { return !(Item.Flags & ITEM_SUMMARY); });
}

}  // namespace

bool TNoteScan::Next(TNotes& Batch) {
  TSqlQuery query(
      FFile.Statement(std::string(ScanRows) + "AND note_id > ?1 ORDER BY note_id LIMIT ?5"));
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
    note.Header = HeaderOf(Query);
    note.Deleted = Query.Int(8) != 0;
    note.Blob.clear();
    note.Items.clear();
    if (FFilter.Items) ReadSummary(note, Query.Blob(9));
  }
  Notes.resize(count);
}

}  // namespace notesrt
