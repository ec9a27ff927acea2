#include "storage/NoteReadAhead.h"

#include <algorithm>

#include "core/EStatus.h"
#include "storage/DbFile.h"

namespace notesrt {

namespace {

constexpr size_t FirstBatch = 8;
constexpr size_t LargestBatch = 128;
// A batch of large notes stops early: what it holds is read again if the caller gets there.
constexpr size_t BatchBytes = 8 << 20;

std::string BatchSelect() {
  std::string sql = std::string(NoteRowSelect) + "WHERE note_id IN (";
  for (size_t index = 1; index <= LargestBatch; ++index)
    sql += (index > 1 ? ",?" : "?") + std::to_string(index);
  return sql + ")";
}

const std::string BatchSql = BatchSelect();

}  // namespace

void TNoteReadAhead::Expect(std::vector<NOTEID> Order) {
  Drop();
  FOrder = std::move(Order);
  FNext = 0;
  FBatchSize = FirstBatch;
}

void TNoteReadAhead::Drop() {
  FBatch.clear();
  FMark.reset();
}

bool TNoteReadAhead::Take(NOTEID Id, TNoteHeader& Header, std::string& Blob) {
  if (FNext >= FOrder.size() || FOrder[FNext] != Id || !FFile.Idle()) return false;
  const size_t position = FNext++;
  if (!Current() || !Find(Id)) {
    try {
      ReadBatch(position);
    } catch (const EStatus&) {
      // A damaged neighbour must not fail this open: the note is read on its own, and says
      // for itself whether it can be read.
      Drop();
      return false;
    }
  }
  TRead* found = Find(Id);
  if (!found) return false;
  Header = std::move(found->Row.Header);
  Blob = std::move(found->Blob);
  found->Taken = true;
  return true;
}

TNoteReadAhead::TRead* TNoteReadAhead::Find(NOTEID Id) {
  auto found = std::lower_bound(FBatch.begin(), FBatch.end(), Id, [](const TRead& Read, NOTEID Id) {
    return Read.Row.Header.Id < Id;
  });
  return found != FBatch.end() && found->Row.Header.Id == Id && !found->Taken ? &*found : nullptr;
}

bool TNoteReadAhead::Current() const {
  if (!FMark) return false;
  std::optional<TCommitMark> mark = FFile.CommitMark();
  return mark && *mark == *FMark;
}

// The mark read before and after the read transaction must agree: then no commit came between,
// and the rows are those of that mark. Without a mark (a file not in WAL mode) only the note
// asked for is read.
void TNoteReadAhead::ReadBatch(size_t From) {
  Drop();
  const std::optional<TCommitMark> before = FFile.CommitMark();
  const size_t count = before ? std::min(FBatchSize, FOrder.size() - From) : 1;
  FBatchSize = std::min(FBatchSize * 2, LargestBatch);
  FFile.Read([&] {
    TSqlQuery query(FFile.Statement(BatchSql));
    for (size_t index = 0; index < LargestBatch; ++index) {
      if (index < count)
        query.Bind(static_cast<int>(index + 1), FOrder[From + index]);
      else
        query.BindNull(static_cast<int>(index + 1));
    }
    size_t bytes = 0;
    while (bytes < BatchBytes && query.Step()) {
      TNoteRow row = ReadNoteRow(query);
      if (row.Deleted) continue;
      std::string_view blob = query.Blob(NoteItemsColumn);
      bytes += blob.size();
      FBatch.push_back(TRead{std::move(row), std::string(blob)});
    }
  });
  // SQLite hands the rows of an IN list over in key order, but nothing promises that.
  auto byId = [](const TRead& A, const TRead& B) { return A.Row.Header.Id < B.Row.Header.Id; };
  if (!std::is_sorted(FBatch.begin(), FBatch.end(), byId))
    std::sort(FBatch.begin(), FBatch.end(), byId);
  const std::optional<TCommitMark> after = FFile.CommitMark();
  if (before && after && *before == *after) FMark = before;
}

}  // namespace notesrt
