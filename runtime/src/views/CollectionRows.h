#pragma once

#include <string>
#include <vector>

#include "views/ViewIndex.h"

namespace notesrt {

// One row of a collection in display order: a document, a category or the totals.
struct TCollectionRow {
  NOTEID Id = 0;
  // Response depth of a document, level of a category.
  WORD Indent = 0;
  // 1-based position at each level, top level first (the COLLECTIONPOSITION tumbler).
  std::vector<DWORD> Tumbler;
  std::string Summary;

  bool IsDocument() const { return (Id & 0xC0000000u) == 0; }
};

// Lays a view's index rows out as a collection shows them: responses under their parents when
// the view shows a hierarchy (a response whose parent is not in the view is not shown, as in
// Notes), a category row before each group of documents that share a categorized column's value,
// and a totals row at the end when a column totals.
std::vector<TCollectionRow> LayOutRows(const design::TViewDesign& Design,
                                       std::vector<TIndexRow> Rows);

}  // namespace notesrt
