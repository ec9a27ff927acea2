#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TCompiledFormula;
class TDatabase;

namespace design {

// One column: the item name its values carry in summaries, the formula that computes them (null:
// the item of that name is shown as it is) and its flag letters (DesignItems.h).
struct TViewColumn {
  std::string ItemName;
  std::shared_ptr<const TCompiledFormula> Formula;
  std::string Flags;

  bool Has(char Flag) const { return Flags.find(Flag) != std::string::npos; }
  bool Sorted() const;
  // One entry per value of a list: categories and "show multiple values as separate entries".
  bool Expands() const;
};

// "ItemName|Formula|Flags", split at the first and the last "|" (a formula may hold "|").
struct TColumnText {
  std::string ItemName;
  std::string Formula;
  std::string Flags;

  static TColumnText Parse(std::string_view Text);
  std::string Format() const;
};

// A view or folder as the runtime builds its collection: read from its design note.
struct TViewDesign {
  NOTEID Id = 0;
  bool Folder = false;
  bool Hierarchy = false;
  // Null for folders, and for a view without one (it selects every document).
  std::shared_ptr<const TCompiledFormula> Selection;
  std::vector<TViewColumn> Columns;
  // A formula uses the clock or the current user: its values change without any document
  // changing, so an index of it is never reused.
  bool Volatile = false;

  // ERR_INVALID_NOTE / ERR_NOTE_DELETED when there is no such note, ERR_NOTESRT_NOT_VIEW when
  // it is not a view or folder, ERR_VIEW_NOACCESS for someone else's private one, and the
  // compile error of a column formula that does not compile.
  static TViewDesign Load(TDatabase& Database, NOTEID Id);

  bool HasSortedColumn() const;
  // Responses are added to selected documents (@AllChildren, @AllDescendants).
  bool AddsChildren() const;
  bool AddsDescendants() const;
};

}  // namespace design

}  // namespace notesrt
