#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "storage/CommitMark.h"
#include "views/CollectionRows.h"

namespace notesrt {

class TDbFile;

// The rows of collections laid out from one file, kept with the file's commit mark of the moment
// they were read: while the mark stays, nothing in the file has changed, so bringing the view's
// index up to date and reading it again would give the same rows. Which of them a user may see
// is decided afresh each time. Kept in the database's derived state; callers hold the API lock.
class TKeptRows {
 public:
  using TRows = std::shared_ptr<const std::vector<TCollectionRow>>;

  // Null when View's rows are not kept under the file's mark now, or a transaction is open.
  TRows Find(NOTEID View, const TDbFile& File) const;
  // Mark is the file's mark before the rows were read; the rows are kept only when the file
  // still shows it, so that no commit came between.
  void Keep(NOTEID View, const std::optional<TCommitMark>& Mark, const TDbFile& File, TRows Rows);

 private:
  // All kept rows share one mark: a new mark makes every older row stale.
  std::optional<TCommitMark> FMark;
  std::map<NOTEID, TRows> FRows;
};

}  // namespace notesrt
