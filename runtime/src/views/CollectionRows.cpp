#include "views/CollectionRows.h"

#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "note/ItemName.h"
#include "notesapi/nif.h"
#include "notesapi/nsfsearc.h"
#include "search/SearchSummary.h"
#include "storage/StoredValue.h"
#include "views/design/DesignItems.h"

namespace notesrt {

namespace {

// The typed value of the item Name in a summary buffer.
std::optional<std::string_view> ItemOf(std::string_view Summary, std::string_view Name) {
  std::string_view itemName;
  std::string_view value;
  for (size_t index = 0; TSummaryTable::ItemAt(Summary, index, itemName, value); ++index)
    if (SameItemName(itemName, Name)) return value;
  return std::nullopt;
}

// The numbers a typed value holds: one, a list, or none.
double SumOf(std::string_view Typed) {
  auto type = ReadAt<WORD>(Typed, 0);
  if (type == TYPE_NUMBER) return ReadAt<double>(Typed, sizeof(WORD));
  if (type != TYPE_NUMBER_RANGE) return 0;
  size_t count = ReadAt<USHORT>(Typed, sizeof(WORD));
  double sum = 0;
  for (size_t index = 0; index < count; ++index)
    sum += ReadAt<double>(Typed, sizeof(WORD) + sizeof(RANGE) + index * sizeof(double));
  return sum;
}

class TRowLayout {
 public:
  TRowLayout(const design::TViewDesign& Design, std::vector<TIndexRow> Rows);
  std::vector<TCollectionRow> Run();

 private:
  void MarkShown();
  void MarkChildren(NOTEID Parent, bool Descendants, std::set<NOTEID>& Seen);
  bool IsRoot(size_t Row) const;
  size_t OpenCategories(const TIndexRow& Row);
  void EmitDocument(size_t Row, std::vector<DWORD> Tumbler, WORD Indent, std::set<NOTEID>& Path);
  void EmitTotals();

  const design::TViewDesign& FDesign;
  std::vector<TIndexRow> FRows;
  std::vector<bool> FShown;
  std::multimap<NOTEID, size_t> FChildren;
  std::vector<size_t> FCategoryColumns;
  std::vector<std::optional<std::string_view>> FCategoryValues;
  // The tumbler of the current category path, then the count of rows below it.
  std::vector<DWORD> FCounters;
  std::vector<TCollectionRow> FOut;
};

TRowLayout::TRowLayout(const design::TViewDesign& Design, std::vector<TIndexRow> Rows)
    : FDesign(Design), FRows(std::move(Rows)), FShown(FRows.size()) {
  for (size_t row = 0; row < FRows.size(); ++row)
    if (FRows[row].Parent) FChildren.emplace(FRows[row].Parent, row);
  for (size_t column = 0; column < Design.Columns.size(); ++column)
    if (Design.Columns[column].Has(design::ColumnCategorized)) FCategoryColumns.push_back(column);
  FCounters.assign(FCategoryColumns.size() + 1, 0);
}

std::vector<TCollectionRow> TRowLayout::Run() {
  MarkShown();
  std::set<NOTEID> path;
  for (size_t row = 0; row < FRows.size(); ++row) {
    if (!IsRoot(row)) continue;
    size_t depth = OpenCategories(FRows[row]);
    std::vector<DWORD> tumbler(FCounters.begin(), FCounters.begin() + depth);
    tumbler.push_back(++FCounters[depth]);
    EmitDocument(row, tumbler, 0, path);
  }
  EmitTotals();
  return std::move(FOut);
}

void TRowLayout::MarkShown() {
  std::set<NOTEID> seen;
  for (size_t row = 0; row < FRows.size(); ++row) {
    if (!FRows[row].Selected) continue;
    FShown[row] = true;
    if (FDesign.AddsChildren() || FDesign.AddsDescendants())
      MarkChildren(FRows[row].Note, FDesign.AddsDescendants(), seen);
  }
}

void TRowLayout::MarkChildren(NOTEID Parent, bool Descendants, std::set<NOTEID>& Seen) {
  if (!Seen.insert(Parent).second) return;
  auto [first, last] = FChildren.equal_range(Parent);
  for (auto child = first; child != last; ++child) {
    FShown[child->second] = true;
    if (Descendants) MarkChildren(FRows[child->second].Note, true, Seen);
  }
}

// In a hierarchy only main documents start a thread; responses come in under their parents.
bool TRowLayout::IsRoot(size_t Row) const {
  return FShown[Row] && (!FDesign.Hierarchy || FRows[Row].Parent == 0);
}

// Emits the category rows Row starts and returns the depth its document goes at.
size_t TRowLayout::OpenCategories(const TIndexRow& Row) {
  size_t levels = FCategoryColumns.size();
  bool changed = FCategoryValues.empty();
  FCategoryValues.resize(levels);
  for (size_t level = 0; level < levels; ++level) {
    const std::string& name = FDesign.Columns[FCategoryColumns[level]].ItemName;
    std::optional<std::string_view> value = ItemOf(Row.Summary, name);
    changed = changed || value != FCategoryValues[level];
    if (!changed) continue;
    FCategoryValues[level] = value;
    ++FCounters[level];
    std::fill(FCounters.begin() + static_cast<std::ptrdiff_t>(level) + 1, FCounters.end(), 0);
    TSummaryTable summary(MAXSUMMARYSIZE);
    if (value) summary.AddTyped(name, *value);
    std::vector<DWORD> tumbler(FCounters.begin(), FCounters.begin() + level + 1);
    DWORD id = NOTEID_CATEGORY | (static_cast<DWORD>(level) << 24);
    FOut.push_back(TCollectionRow{id, static_cast<WORD>(level), tumbler, summary.Bytes()});
  }
  return levels;
}

void TRowLayout::EmitDocument(size_t Row, std::vector<DWORD> Tumbler, WORD Indent,
                              std::set<NOTEID>& Path) {
  const TIndexRow& row = FRows[Row];
  FOut.push_back(TCollectionRow{row.Note, Indent, Tumbler, row.Summary});
  if (!FDesign.Hierarchy || Tumbler.size() >= MAXTUMBLERLEVELS || !Path.insert(row.Note).second)
    return;
  auto [first, last] = FChildren.equal_range(row.Note);
  DWORD position = 0;
  for (auto child = first; child != last; ++child) {
    if (!FShown[child->second]) continue;
    std::vector<DWORD> tumbler = Tumbler;
    tumbler.push_back(++position);
    EmitDocument(child->second, tumbler, static_cast<WORD>(Indent + 1), Path);
  }
  Path.erase(row.Note);
}

void TRowLayout::EmitTotals() {
  std::map<size_t, double> totals;
  for (size_t column = 0; column < FDesign.Columns.size(); ++column)
    if (FDesign.Columns[column].Has(design::ColumnTotal)) totals[column] = 0;
  if (totals.empty()) return;
  for (const TCollectionRow& row : FOut) {
    if (!row.IsDocument()) continue;
    for (auto& [column, total] : totals)
      if (auto value = ItemOf(row.Summary, FDesign.Columns[column].ItemName))
        total += SumOf(*value);
  }
  TSummaryTable summary(MAXSUMMARYSIZE);
  for (const auto& [column, total] : totals)
    summary.Add(FDesign.Columns[column].ItemName, TYPE_NUMBER,
                {reinterpret_cast<const char*>(&total), sizeof total});
  FOut.push_back(TCollectionRow{NOTEID_CATEGORY_TOTAL, 0, {FCounters[0] + 1}, summary.Bytes()});
}

}  // namespace

std::vector<TCollectionRow> LayOutRows(const design::TViewDesign& Design,
                                       std::vector<TIndexRow> Rows) {
  return TRowLayout(Design, std::move(Rows)).Run();
}

}  // namespace notesrt
