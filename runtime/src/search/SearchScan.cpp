#include "search/SearchScan.h"

#include <string>

#include "core/EStatus.h"
#include "core/Log.h"
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

// A batch whose every note was damaged is no end: the scan goes on after it.
bool TNoteScan::Next(TNotes& Batch) {
  const bool documents = (FFilter.ClassMask & NOTE_CLASS_DOCUMENT) != 0;
  TSqlStatement& statement =
      FFile.Statement(std::string(ScanRows) + (documents ? "" : NoDocuments) +
                      "AND note_id > ?1 ORDER BY note_id LIMIT ?5");
  for (;;) {
    TSqlQuery query(statement);
    query.Bind(1, FAfter).Bind(5, BatchSize);
    const NOTEID last = ReadRows(query, Batch);
    if (last == 0) return false;
    FAfter = last;
    if (!Batch.empty()) return true;
  }
}

std::optional<TScannedNote> TNoteScan::Find(NOTEID Id) {
  TSqlQuery query(FFile.Statement(std::string(ScanRows) + "AND note_id = ?1"));
  query.Bind(1, Id);
  TNotes notes;
  ReadRows(query, notes);
  if (notes.empty()) return std::nullopt;
  return std::move(notes.front());
}

// The notes already in Notes are overwritten rather than made anew: their buffers are reused. A
// note whose items cannot be read costs only itself: it is left out, and the log says so.
NOTEID TNoteScan::ReadRows(TSqlQuery& Query, TNotes& Notes) {
  Query.Bind(2, FFilter.ClassMask).Bind(3, FFilter.ChangedAfter).Bind(4, FFilter.Stubs ? 1 : 0);
  size_t count = 0;
  NOTEID last = 0;
  while (Query.Step()) {
    if (count == Notes.size()) Notes.emplace_back();
    TScannedNote& note = Notes[count];
    ReadNoteIdentity(Query, note.Header);
    last = note.Header.Id;
    note.Header.Parent = static_cast<NOTEID>(Query.Int(ParentColumn));
    note.Deleted = Query.Int(DeletedColumn) != 0;
    note.Blob.clear();
    note.Items.clear();
    try {
      if (FFilter.Items) ReadSummary(note, Query.Blob(ItemsColumn));
    } catch (const EStatus&) {
      LogLine(FFile.Path().string() + ": note " + std::to_string(last) +
              " cannot be read (damaged); searches and views leave it out");
      continue;
    }
    ++count;
  }
  Notes.resize(count);
  return last;
}

}  // namespace notesrt
