#include "SearchScan.h"

#include "DbFile.h"
#include "ItemCodec.h"
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
std::vector<TStoredItem> SummaryItems(std::string_view Blob) {
  std::vector<TStoredItem> items = DecodeItems(Blob);
  std::erase_if(items, [](const TStoredItem& Item) { return !(Item.Flags & ITEM_SUMMARY); });
  return items;
}

}  // namespace

TNoteScan::TNotes TNoteScan::Next() {
  TSqlQuery query(
      FFile.Statement(std::string(ScanRows) + "AND note_id > ?1 ORDER BY note_id LIMIT ?5"));
  query.Bind(1, FAfter).Bind(5, BatchSize);
  TNotes notes = ReadRows(query);
  if (!notes.empty()) FAfter = notes.back().Header.Id;
  return notes;
}

std::optional<TScannedNote> TNoteScan::Find(NOTEID Id) {
  TSqlQuery query(FFile.Statement(std::string(ScanRows) + "AND note_id = ?1"));
  query.Bind(1, Id);
  TNotes notes = ReadRows(query);
  if (notes.empty()) return std::nullopt;
  return std::move(notes.front());
}

TNoteScan::TNotes TNoteScan::ReadRows(TSqlQuery& Query) {
  Query.Bind(2, FFilter.ClassMask).Bind(3, FFilter.ChangedAfter).Bind(4, FFilter.Stubs ? 1 : 0);
  TNotes notes;
  while (Query.Step()) {
    notes.push_back(TScannedNote{HeaderOf(Query), Query.Int(8) != 0, {}});
    if (FFilter.Items) notes.back().Items = SummaryItems(Query.Blob(9));
  }
  return notes;
}

}  // namespace notesrt
