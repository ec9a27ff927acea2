#include "views/design/DesignBuilder.h"

#include "core/EStatus.h"
#include "core/TextList.h"
#include "note/Note.h"
#include "note/NoteWriter.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "search/formula/CompiledFormula.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "text/TimeConversion.h"
#include "views/design/DesignItems.h"

namespace notesrt::design {

namespace {

std::string TextListValue(const std::vector<std::string>& Entries) {
  std::string empty(sizeof(LIST), '\0');
  TTextList list = *TTextList::Parse(empty.data(), empty.size(), false);
  for (const std::string& entry : Entries) list.Insert(list.Count(), entry);
  return list.Serialize();
}

// Design items are summary items: searches (CheckViews, AttachForm's $TITLE formula) read them.
void Set(TNote& Note, std::string_view Name, WORD Type, std::string_view Value) {
  Note.DeleteAll(Name);
  Note.Append(Name, ITEM_SUMMARY, Type, Value, CurrentTimeDate());
}

std::shared_ptr<const TCompiledFormula> Compile(const std::string& Text, bool Selection) {
  TCompileError error;
  auto formula = TCompiledFormula::Compile(Text, Selection, error);
  if (!formula) throw EStatus(error.Status ? error.Status : ERR_FORMULA_COMPILATION);
  return formula;
}

template <class TFill>
NOTEID SaveNew(const std::shared_ptr<TDatabase>& Database, WORD Class, TFill&& Fill) {
  TNoteHeader header;
  header.Oid = Database->NewOid();
  header.Class = Class;
  TNote note(Database, NULLHANDLE, header);
  Fill(note);
  SaveNote(note);
  return note.Header().Id;
}

void SetFormItems(TNote& Note, const TFormSpec& Spec) {
  if (Spec.Titles.size() == 1)
    Set(Note, TitleItem, TYPE_TEXT, Spec.Titles.front());
  else
    Set(Note, TitleItem, TYPE_TEXT_LIST, TextListValue(Spec.Titles));
  if (Spec.FieldDefaults.empty()) return;
  std::vector<std::string> defaults;
  for (const auto& [field, formula] : Spec.FieldDefaults) {
    Compile(formula, false);
    defaults.push_back(field + "|" + formula);
  }
  Set(Note, FieldDefaultsItem, TYPE_TEXT_LIST, TextListValue(defaults));
}

}  // namespace

TDesignBuilder& TDesignBuilder::View(TViewSpec Spec) {
  FOrder.emplace_back(true, FViews.size());
  FViews.push_back(std::move(Spec));
  return *this;
}

TDesignBuilder& TDesignBuilder::Form(TFormSpec Spec) {
  FOrder.emplace_back(false, FForms.size());
  FForms.push_back(std::move(Spec));
  return *this;
}

std::vector<NOTEID> TDesignBuilder::Build(const std::shared_ptr<TDatabase>& Database) const {
  return Database->Write([&] {
    std::vector<NOTEID> ids;
    for (const auto& entry : FOrder) {
      // A plain variable, not a structured binding: older compilers cannot capture those.
      const auto index = entry.second;
      if (entry.first)
        ids.push_back(SaveNew(Database, NOTE_CLASS_VIEW,
                              [&](TNote& Note) { SetViewItems(Note, FViews[index]); }));
      else
        ids.push_back(SaveNew(Database, NOTE_CLASS_FORM,
                              [&](TNote& Note) { SetFormItems(Note, FForms[index]); }));
    }
    return ids;
  });
}

std::vector<NOTEID> TDesignBuilder::Build(DBHANDLE Database) const {
  return Build(TDbHandle::DatabaseOf(Database));
}

void TDesignBuilder::SetViewItems(TNote& Note, const TViewSpec& Spec) {
  Set(Note, TitleItem, TYPE_TEXT, Spec.Title);
  std::string flags = std::string(Spec.Folder ? 1 : 0, FolderFlag) +
                      std::string(Spec.Owner.empty() ? 0 : 1, PrivateFlag);
  Set(Note, FlagsItem, TYPE_TEXT, flags);
  Note.DeleteAll(SelectionItem);
  if (!Spec.Folder && !Spec.Selection.empty())
    Set(Note, SelectionItem, TYPE_FORMULA, Compile(Spec.Selection, true)->Serialize(NULLHANDLE));
  std::vector<std::string> columns;
  for (const TColumnText& column : Spec.Columns) {
    if (!column.Formula.empty()) Compile(column.Formula, false);
    columns.push_back(column.Format());
  }
  Set(Note, ColumnsItem, TYPE_TEXT_LIST, TextListValue(columns));
  Set(Note, HierarchyItem, TYPE_TEXT, Spec.Hierarchy ? "1" : "0");
  Note.DeleteAll(OwnerItem);
  if (!Spec.Owner.empty()) Set(Note, OwnerItem, TYPE_TEXT, Spec.Owner);
}

}  // namespace notesrt::design
