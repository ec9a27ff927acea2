#include "views/ViewEntries.h"

#include "note/ItemName.h"
#include "notesapi/nsfsearc.h"
#include "search/SearchContext.h"
#include "search/SearchSummary.h"
#include "search/formula/ItemLayout.h"
#include "views/design/DesignItems.h"

namespace notesrt {

namespace {

// A note whose lists multiply into more entries than this shows only the first ones: a view
// stays usable whatever a document holds.
constexpr size_t MaxParts = 1024;

TValue ElementOf(const TValue& Value, size_t Index) {
  switch (Value.Kind()) {
    case TValueKind::Text:
      return TValue::Text(Value.AsTexts()[Index]);
    case TValueKind::Number:
      return TValue::Number(Value.AsNumbers()[Index]);
    case TValueKind::Time:
      return TValue::Times({Value.AsTimes()[Index]});
    default:
      return Value;
  }
}

std::optional<std::string> TypedOf(const TValue& Value) {
  TItemValue item;
  if (ItemOfValue(Value, item) != NOERROR) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(&item.Type), sizeof item.Type) + item.Bytes;
}

}  // namespace

TViewEntryMaker::TViewEntryMaker(TDatabase& Database, const design::TViewDesign& Design)
    : FDatabase(Database), FDesign(Design) {
  if (Design.Selection) FSelection.emplace(Design.Selection);
  for (const design::TViewColumn& column : Design.Columns)
    FColumns.push_back(column.Formula ? std::make_unique<TEvaluator>(column.Formula) : nullptr);
}

std::vector<TIndexEntry> TViewEntryMaker::Make(const TScannedNote& Note) {
  TScannedNoteContext context(FDatabase, Note);
  bool selected = !FSelection || FSelection->Evaluate(context).Matches;
  if (!selected && !FDesign.AddsChildren() && !FDesign.AddsDescendants()) return {};
  std::vector<TCell> cells;
  for (size_t column = 0; column < FDesign.Columns.size(); ++column)
    cells.push_back(Evaluate(column, Note, context));
  std::vector<TIndexEntry> entries;
  for (const std::vector<TCell>& part : Expand(cells)) {
    entries.push_back(EntryOf(Note, part, static_cast<WORD>(entries.size())));
    entries.back().Selected = selected;
  }
  return entries;
}

TViewEntryMaker::TCell TViewEntryMaker::Evaluate(size_t Column, const TScannedNote& Note,
                                                 IFormulaContext& Context) {
  if (FColumns[Column]) {
    TValue value = FColumns[Column]->Evaluate(Context).Value;
    return TCell{value, TypedOf(value)};
  }
  for (const TItemView& item : Note.Items) {
    if (!SameItemName(item.Name, FDesign.Columns[Column].ItemName)) continue;
    TItemValue value{item.Type, std::string(item.Value)};
    std::string typed(reinterpret_cast<const char*>(&item.Type), sizeof item.Type);
    return TCell{ValueOfItem(value), typed + value.Bytes};
  }
  return TCell{TValue(), std::nullopt};
}

// Every combination of the values of the columns that make one entry per value.
std::vector<std::vector<TViewEntryMaker::TCell>> TViewEntryMaker::Expand(
    const std::vector<TCell>& Cells) const {
  std::vector<std::vector<TCell>> parts{Cells};
  for (size_t column = 0; column < Cells.size(); ++column) {
    const TValue& value = Cells[column].Value;
    if (!FDesign.Columns[column].Expands() || value.IsError() || value.Size() < 2) continue;
    std::vector<std::vector<TCell>> grown;
    for (const std::vector<TCell>& part : parts) {
      for (size_t index = 0; index < value.Size() && grown.size() < MaxParts; ++index) {
        grown.push_back(part);
        TValue element = ElementOf(value, index);
        grown.back()[column] = TCell{element, TypedOf(element)};
      }
    }
    parts = std::move(grown);
  }
  return parts;
}

TIndexEntry TViewEntryMaker::EntryOf(const TScannedNote& Note, const std::vector<TCell>& Cells,
                                     WORD Part) {
  TIndexEntry entry;
  entry.Part = Part;
  entry.Parent = Note.Header.Parent;
  TSummaryTable summary(MAXSUMMARYSIZE);
  for (size_t column = 0; column < Cells.size(); ++column) {
    const design::TViewColumn& spec = FDesign.Columns[column];
    if (spec.Sorted())
      FKeys.Append(entry.SortKey, Cells[column].Value, spec.Has(design::ColumnDescending));
    if (Cells[column].Typed) summary.AddTyped(spec.ItemName, *Cells[column].Typed);
  }
  // Ties go by note ID; a folder without sorted columns keeps its insertion order instead.
  if (!FDesign.Folder || FDesign.HasSortedColumn()) {
    TSortKeys::AppendNumber(entry.SortKey, Note.Header.Id, sizeof(NOTEID));
    TSortKeys::AppendNumber(entry.SortKey, Part, sizeof(WORD));
  }
  entry.Summary = summary.Bytes();
  return entry;
}

}  // namespace notesrt
