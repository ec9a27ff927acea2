#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/formula/Evaluator.h"
#include "views/ViewSortKey.h"
#include "views/design/ViewDesign.h"

namespace notesrt {

class TDatabase;
struct TScannedNote;

// One entry of a note in a view's index. A note makes several when a column shows each value
// of a list as an entry of its own (Part numbers them).
struct TIndexEntry {
  WORD Part = 0;
  // False for a note kept only because a selected parent may bring it in (@AllChildren).
  bool Selected = false;
  NOTEID Parent = 0;
  std::string SortKey;
  // The column values as a summary buffer, in column order.
  std::string Summary;
};

// Evaluates a view's selection and columns against notes.
class TViewEntryMaker {
 public:
  TViewEntryMaker(TDatabase& Database, const design::TViewDesign& Design);

  // Nothing when the view cannot show the note.
  std::vector<TIndexEntry> Make(const TScannedNote& Note);

 private:
  struct TCell {
    TValue Value;
    // The item as stored, shown as it is when the column shows a field unchanged.
    std::optional<std::string> Typed;
  };

  TCell Evaluate(size_t Column, const TScannedNote& Note, IFormulaContext& Context);
  std::vector<std::vector<TCell>> Expand(const std::vector<TCell>& Cells) const;
  TIndexEntry EntryOf(const TScannedNote& Note, const std::vector<TCell>& Cells, WORD Part);

  TDatabase& FDatabase;
  const design::TViewDesign& FDesign;
  std::optional<TEvaluator> FSelection;
  // Null for a column that shows an item as it is.
  std::vector<std::unique_ptr<TEvaluator>> FColumns;
  TSortKeys FKeys;
};

}  // namespace notesrt
