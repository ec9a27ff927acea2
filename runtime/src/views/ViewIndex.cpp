#include "views/ViewIndex.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "notesapi/nsfnote.h"
#include "search/SearchScan.h"
#include "storage/Database.h"
#include "storage/FolderStore.h"
#include "views/ViewEntries.h"

namespace notesrt {

namespace {

// Bumped whenever what the index stores changes meaning (keys, summaries, its tally): older
// indexes are then rebuilt rather than misread.
constexpr int64_t IndexFormat = 2;

// FNV-1a over an entry's columns; entries are summed, so the order they are read in does not
// matter.
class TEntryHash {
 public:
  TEntryHash& Add(int64_t Value) {
    return Add(std::string_view(reinterpret_cast<const char*>(&Value), sizeof(Value)));
  }
  TEntryHash& Add(std::string_view Bytes) {
    for (char byte : Bytes) FHash = (FHash ^ static_cast<unsigned char>(byte)) * 0x100000001B3ULL;
    FHash = (FHash ^ Bytes.size()) * 0x100000001B3ULL;
    return *this;
  }
  uint64_t Value() const { return FHash; }

 private:
  uint64_t FHash = 0xCBF29CE484222325ULL;
};

uint64_t HashOfEntry(int64_t Note, int64_t Part, int64_t Selected, int64_t Parent,
                     std::string_view SortKey, std::string_view Summary) {
  return TEntryHash()
      .Add(Note)
      .Add(Part)
      .Add(Selected)
      .Add(Parent)
      .Add(SortKey)
      .Add(Summary)
      .Value();
}

// The entry a query's row holds, its columns in the order of EntryColumns.
constexpr char EntryColumns[] = "note_id, part, selected, parent_id, sort_key, summary";
uint64_t HashOfEntry(const TSqlQuery& Query) {
  return HashOfEntry(Query.Int(0), Query.Int(1), Query.Int(2), Query.Int(3), Query.Blob(4),
                     Query.Blob(5));
}

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
      "SELECT design_counter, built_counter, format, members_changed, entry_count, "
      "entry_checksum FROM view_index WHERE view_id = ?"));
  query.Bind(1, FDesign.Id);
  if (!query.Step()) return std::nullopt;
  return TState{query.Int(0),      query.Int(1), query.Int(2),
                query.Int(3) != 0, query.Int(4), static_cast<uint64_t>(query.Int(5))};
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
  FTally = reusable ? TTally{State->Entries, State->Checksum} : TTally{};
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
      "members_changed, entry_count, entry_checksum) VALUES(?, ?, ?, ?, 0, ?, ?)"));
  query.Bind(1, FDesign.Id).Bind(2, Design).Bind(3, built).Bind(4, IndexFormat);
  query.Bind(5, FTally.Entries).Bind(6, static_cast<int64_t>(FTally.Checksum)).Run();
}

// The entries a deletion takes, out of the tally first: damage the index held before stays a
// difference between the tally and the rows, to be found when they are read.
void TViewIndex::DeleteEntries(const std::string& Where, std::optional<NOTEID> Note) {
  const std::string from = "FROM view_entries WHERE view_id = ?1 AND " + Where;
  TSqlQuery doomed(FDatabase.File().Statement("SELECT " + std::string(EntryColumns) + " " + from));
  TSqlQuery deletion(FDatabase.File().Statement("DELETE " + from));
  doomed.Bind(1, FDesign.Id);
  deletion.Bind(1, FDesign.Id);
  if (Note) {
    doomed.Bind(2, *Note);
    deletion.Bind(2, *Note);
  }
  while (doomed.Step()) FTally.Remove(HashOfEntry(doomed));
  deletion.Run();
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
  DeleteEntries("note_id NOT IN (SELECT note_id FROM folder_members WHERE folder_id = ?1)",
                std::nullopt);
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
    FTally.Add(HashOfEntry(Note.Header.Id, entry.Part, entry.Selected ? 1 : 0, entry.Parent,
                           entry.SortKey, entry.Summary));
  }
}

void TViewIndex::Drop(NOTEID Note) {
  DeleteEntries("note_id = ?2", Note);
}

// Rows come in key order (sort key, then folder order, then note ID and part). SQLite reads the
// entries in primary-key order and they are joined with the folder's members and sorted here:
// that is several times faster than letting SQLite join and sort them, and the stable sort keeps
// the primary-key order between equal keys.
std::optional<std::vector<TIndexRow>> TViewIndex::Rows() {
  return FDatabase.File().Read([&] { return ReadRows(); });
}

// In one read transaction: the tally and the rows are of the same moment.
std::optional<std::vector<TIndexRow>> TViewIndex::ReadRows() {
  std::optional<TState> state = ReadState();
  if (!state) return std::nullopt;
  std::unordered_map<NOTEID, int64_t> folderOrder;
  if (FDesign.Folder) {
    TSqlQuery members(
        FDatabase.File().Statement("SELECT note_id, seq FROM folder_members WHERE folder_id = ?"));
    members.Bind(1, FDesign.Id);
    while (members.Step()) folderOrder.emplace(static_cast<NOTEID>(members.Int(0)), members.Int(1));
  }
  TSqlQuery query(FDatabase.File().Statement("SELECT " + std::string(EntryColumns) +
                                             " FROM view_entries WHERE view_id = ?"));
  query.Bind(1, FDesign.Id);
  struct TKeyedRow {
    std::string SortKey;
    int64_t FolderOrder;
    TIndexRow Row;
  };
  std::vector<TKeyedRow> keyed;
  keyed.reserve(folderOrder.size());
  TTally read;
  while (query.Step()) {
    read.Add(HashOfEntry(query));
    const auto note = static_cast<NOTEID>(query.Int(0));
    int64_t order = 0;
    if (FDesign.Folder) {
      auto member = folderOrder.find(note);
      if (member == folderOrder.end()) continue;
      order = member->second;
    }
    keyed.push_back(TKeyedRow{std::string(query.Blob(4)), order,
                              TIndexRow{note, query.Int(2) != 0, static_cast<NOTEID>(query.Int(3)),
                                        std::string(query.Blob(5))}});
  }
  if (read.Entries != state->Entries || read.Checksum != state->Checksum) return std::nullopt;
  std::stable_sort(keyed.begin(), keyed.end(), [](const TKeyedRow& A, const TKeyedRow& B) {
    if (const int order = A.SortKey.compare(B.SortKey); order != 0) return order < 0;
    return A.FolderOrder < B.FolderOrder;
  });
  std::vector<TIndexRow> rows;
  rows.reserve(keyed.size());
  for (TKeyedRow& entry : keyed) rows.push_back(std::move(entry.Row));
  return rows;
}

}  // namespace notesrt
