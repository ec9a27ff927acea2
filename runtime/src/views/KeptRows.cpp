#include "views/KeptRows.h"

#include "storage/DbFile.h"

namespace notesrt {

namespace {

// A few views are read again and again (the inbox, the sent mail); the rows of a large view
// take megabytes.
constexpr size_t MostViews = 8;

}  // namespace

TKeptRows::TRows TKeptRows::Find(NOTEID View, const TDbFile& File) const {
  if (!FMark || !File.Idle()) return nullptr;
  auto found = FRows.find(View);
  if (found == FRows.end()) return nullptr;
  const std::optional<TCommitMark> mark = File.CommitMark();
  return mark && *mark == *FMark ? found->second : nullptr;
}

void TKeptRows::Keep(NOTEID View, const std::optional<TCommitMark>& Mark, const TDbFile& File,
                     TRows Rows) {
  const std::optional<TCommitMark> now = File.CommitMark();
  if (!Mark || !now || *Mark != *now || !File.Idle()) return;
  if (FMark != Mark || FRows.size() >= MostViews) FRows.clear();
  FMark = Mark;
  FRows[View] = std::move(Rows);
}

}  // namespace notesrt
