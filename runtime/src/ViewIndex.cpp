#include "ViewIndex.h"

#include "Database.h"
#include "FolderStore.h"
#include "SearchScan.h"
#include "ViewEntries.h"
#include "notesapi/nsfnote.h"

namespace notesrt {

namespace {

// Bumped whenever what the index stores changes meaning (keys, summaries): older indexes are
// then rebuilt rather than misread.
constexpr int64_t IndexFormat = 1;

}  // namespace

size_t TViewIndex::Refresh() {
  FEvaluated = 0;
  int64_t design = DesignCounter();
  std::optional<TState> state = ReadState();
  if (Current(state, design)) return 0;
  FDatabase.Write([&] { Update(ReadState(), design); });
  return FEvaluated;
}

void TViewIndex::Discard() {
  FDatabase.Write([&] {
    TSqlQuery(FDatabase.File().Statement("DELETE FROM view_index WHERE view_id = ?"))
        .Bind(1, FDesign.Id)
        .Run();
  });
}

std::optional<TViewIndex::TState> TViewIndex::ReadState() {
  TSqlQuery query(FDatabase.File().Statement(
      "SELECT design_counter, built_counter, format, members_changed FROM view_index "
      "WHERE view_id = ?"));
  query.Bind(1, FDesign.Id);
  if (!query.Step()) return std::nullopt;
  return TState{query.Int(0), query.Int(1), query.Int(2), query.Int(3) != 0};
}

int64_t TViewIndex::DesignCounter() {
  TSqlQuery query(
      FDatabase.File().Statement("SELECT changed_counter FROM notes WHERE note_id = ?"));
  query.Bind(1, FDesign.Id);
  return query.Step() ? query.Int(0) : 0;
}

// An index of the same design in the same format can be brought up to date.
bool TViewIndex::Reusable(const std::optional<TState>& State, int64_t Design) const {
  return !FDesign.Volatile && State && State->Design == Design && State->Format == IndexFormat;
}

bool TViewIndex::Current(const std::optional<TState>& State, int64_t Design) {
  return Reusable(State, Design) && State->Built == FDatabase.Header().ModCounter &&
         !State->MembersChanged;
}

// Inside the write, so that no change slips in between reading the counter and recording it.
void TViewIndex::Update(const std::optional<TState>& State, int64_t Design) {
  bool reusable = Reusable(State, Design);
  int64_t built = FDatabase.Header().ModCounter;
  if (!reusable)
    TSqlQuery(FDatabase.File().Statement("DELETE FROM view_entries WHERE view_id = ?"))
        .Bind(1, FDesign.Id)
        .Run();
  int64_t after = reusable ? State->Built : -1;
  TViewEntryMaker maker(FDatabase, FDesign);
  if (FDesign.Folder)
    UpdateFolder(maker, after, !reusable || State->MembersChanged);
  else
    UpdateView(maker, after);
  TSqlQuery query(FDatabase.File().Statement(
      "INSERT OR REPLACE INTO view_index(view_id, design_counter, built_counter, format, "
      "members_changed) VALUES(?, ?, ?, ?, 0)"));
  query.Bind(1, FDesign.Id).Bind(2, Design).Bind(3, built).Bind(4, IndexFormat).Run();
}

void TViewIndex::UpdateView(TViewEntryMaker& Maker, int64_t After) {
  TNoteScan scan(FDatabase.File(), TScanFilter{NOTE_CLASS_DOCUMENT, After, After >= 0, true});
  TNoteScan::TNotes batch;
  while (scan.Next(batch)) {
    for (const TScannedNote& note : batch) {
      if (After >= 0) Drop(note.Header.Id);
      if (!note.Deleted) Index(Maker, note);
    }
  }
}

// The changed members first, then (when the membership changed) members not yet indexed and
// entries of notes that left.
void TViewIndex::UpdateFolder(TViewEntryMaker& Maker, int64_t After, bool MembersChanged) {
  TFolderStore folders(FDatabase.File());
  if (After >= 0) {
    std::unordered_set<NOTEID> members = folders.Members(FDesign.Id);
    TNoteScan scan(FDatabase.File(), TScanFilter{NOTE_CLASS_DOCUMENT, After, true, true});
    TNoteScan::TNotes batch;
    while (scan.Next(batch)) {
      for (const TScannedNote& note : batch) {
        if (!members.count(note.Header.Id)) continue;
        Drop(note.Header.Id);
        if (!note.Deleted) Index(Maker, note);
      }
    }
  }
  if (!MembersChanged) return;
  TSqlQuery(
      FDatabase.File().Statement("DELETE FROM view_entries WHERE view_id = ?1 AND note_id NOT IN "
                                 "(SELECT note_id FROM folder_members WHERE folder_id = ?1)"))
      .Bind(1, FDesign.Id)
      .Run();
  TNoteScan lookup(FDatabase.File(), TScanFilter{NOTE_CLASS_DOCUMENT, -1, false, true});
  for (NOTEID id : folders.Unindexed(FDesign.Id))
    if (std::optional<TScannedNote> note = lookup.Find(id)) Index(Maker, *note);
}

void TViewIndex::Index(TViewEntryMaker& Maker, const TScannedNote& Note) {
  ++FEvaluated;
  TSqlStatement& insert = FDatabase.File().Statement(
      "INSERT OR REPLACE INTO view_entries(view_id, note_id, part, selected, parent_id, "
      "sort_key, summary) VALUES(?, ?, ?, ?, ?, ?, ?)");
  for (const TIndexEntry& entry : Maker.Make(Note)) {
    TSqlQuery query(insert);
    query.Bind(1, FDesign.Id).Bind(2, Note.Header.Id).Bind(3, entry.Part);
    query.Bind(4, entry.Selected ? 1 : 0).Bind(5, entry.Parent);
    query.BindBlob(6, entry.SortKey).BindBlob(7, entry.Summary).Run();
  }
}

void TViewIndex::Drop(NOTEID Note) {
  TSqlQuery(
      FDatabase.File().Statement("DELETE FROM view_entries WHERE view_id = ? AND note_id = ?"))
      .Bind(1, FDesign.Id)
      .Bind(2, Note)
      .Run();
}

std::vector<TIndexRow> TViewIndex::Rows() {
  TSqlQuery query(FDatabase.File().Statement(
      FDesign.Folder
          ? "SELECT e.note_id, e.selected, e.parent_id, e.summary FROM view_entries e "
            "JOIN folder_members m ON m.folder_id = e.view_id AND m.note_id = e.note_id "
            "WHERE e.view_id = ? ORDER BY e.sort_key, m.seq, e.part"
          : "SELECT note_id, selected, parent_id, summary FROM view_entries WHERE view_id = ? "
            "ORDER BY sort_key"));
  query.Bind(1, FDesign.Id);
  std::vector<TIndexRow> rows;
  while (query.Step())
    rows.push_back(TIndexRow{static_cast<NOTEID>(query.Int(0)), query.Int(1) != 0,
                             static_cast<NOTEID>(query.Int(2)), std::string(query.Blob(3))});
  return rows;
}

}  // namespace notesrt
