#include "views/design/ViewDesign.h"

#include <algorithm>
#include <string>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/StatusTexts.h"
#include "notesapi/nif.h"
#include "notesapi/niferr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "search/formula/CompiledFormula.h"
#include "search/formula/FunctionSpec.h"
#include "storage/Database.h"
#include "views/design/DesignItems.h"
#include "views/design/DesignNote.h"

namespace notesrt::design {

namespace {

std::shared_ptr<const TCompiledFormula> CompileColumn(const std::string& Text) {
  if (Text.empty()) return nullptr;
  TCompileError error;
  auto formula = TCompiledFormula::Compile(Text, false, error);
  if (!formula) throw EStatus(error.Status ? error.Status : ERR_FORMULA_COMPILATION);
  return formula;
}

bool UsesVolatile(const TNode& Node) {
  static constexpr std::u16string_view Names[] = {u"NOW", u"TODAY", u"YESTERDAY", u"TOMORROW",
                                                  u"USERNAME"};
  if (Node.Kind == TNodeKind::Function &&
      std::find(std::begin(Names), std::end(Names), Node.Function->Name) != std::end(Names))
    return true;
  return std::any_of(Node.Children.begin(), Node.Children.end(),
                     [](const std::unique_ptr<TNode>& Child) { return UsesVolatile(*Child); });
}

bool UsesVolatile(const std::shared_ptr<const TCompiledFormula>& Formula) {
  if (!Formula) return false;
  const std::vector<TStatement>& statements = Formula->Program().Statements;
  return std::any_of(statements.begin(), statements.end(), [](const TStatement& Statement) {
    return Statement.Expression && UsesVolatile(*Statement.Expression);
  });
}

std::vector<TViewColumn> ColumnsOf(const TDesignNote& Note) {
  std::vector<TViewColumn> columns;
  for (const std::string& text : Note.TextList(ColumnsItem)) {
    TColumnText column = TColumnText::Parse(text);
    std::string name = column.ItemName;
    if (name.empty()) name = "$" + std::to_string(columns.size());
    columns.push_back(TViewColumn{name, CompileColumn(column.Formula), column.Flags});
  }
  return columns;
}

TViewDesign DesignOf(const TDesignNote& Note, NOTEID Id) {
  TViewDesign design;
  design.Id = Id;
  design.Folder = Note.IsFolder();
  design.Hierarchy = Note.Text(HierarchyItem) == "1";
  std::string selection = Note.Raw(SelectionItem, TYPE_FORMULA);
  if (!design.Folder && !selection.empty())
    design.Selection = TCompiledFormula::Load(selection.data(), selection.size());
  design.Columns = ColumnsOf(Note);
  design.Volatile =
      UsesVolatile(design.Selection) ||
      std::any_of(design.Columns.begin(), design.Columns.end(),
                  [](const TViewColumn& Column) { return UsesVolatile(Column.Formula); });
  return design;
}

}  // namespace

bool TViewColumn::Sorted() const {
  return Has(ColumnSorted) || Has(ColumnCategorized);
}

bool TViewColumn::Expands() const {
  return Has(ColumnMultipleEntries) || Has(ColumnCategorized);
}

TColumnText TColumnText::Parse(std::string_view Text) {
  size_t first = Text.find('|');
  size_t last = Text.rfind('|');
  if (first == Text.npos || first == last) return {std::string(Text.substr(0, first)), {}, {}};
  return {std::string(Text.substr(0, first)), std::string(Text.substr(first + 1, last - first - 1)),
          std::string(Text.substr(last + 1))};
}

std::string TColumnText::Format() const {
  return ItemName + "|" + Formula + "|" + Flags;
}

TViewDesign TViewDesign::Load(TDatabase& Database, NOTEID Id) {
  TStoredNote stored = Database.Notes().Load(Id);
  if (stored.Header.Class != NOTE_CLASS_VIEW) throw EStatus(ERR_NOTESRT_NOT_VIEW);
  TDesignNote note(stored.Items);
  if (!note.VisibleTo(CurrentUser())) throw EStatus(ERR_VIEW_NOACCESS);
  try {
    return DesignOf(note, Id);
  } catch (const EStatus& error) {
    // Mostly a design damaged on disk: the formula's own error alone ("Missing )") would not
    // say which file or view.
    LogLine(Database.Path().string() + ": the design of view note " + std::to_string(Id) +
            " cannot be used, it may be damaged (" + std::string(StatusText(error.Status())) +
            ")");
    throw;
  }
}

bool TViewDesign::HasSortedColumn() const {
  return std::any_of(Columns.begin(), Columns.end(),
                     [](const TViewColumn& Column) { return Column.Sorted(); });
}

bool TViewDesign::AddsChildren() const {
  return Selection && Selection->UsesAllChildren();
}

bool TViewDesign::AddsDescendants() const {
  return Selection && Selection->UsesAllDescendants();
}

}  // namespace notesrt::design
