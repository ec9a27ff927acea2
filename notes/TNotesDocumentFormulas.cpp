// Forms and formulas of TNotesDocument: storing a form's design, computing with it, evaluating.
#include <array>
#include <set>
#include <string_view>

#include "ELotusNotes.h"
#include "NotesUpperCase.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"
#include "TNotesFormula.h"

namespace {

// The form name goes into a string literal: a quote or backslash in it must stay literal text
// instead of ending the literal or changing what the formula selects.
std::string FormulaLiteral(const std::string& Text) {
  std::string literal = "\"";
  for (char c : Text) {
    if (c == '"' || c == '\\') literal += '\\';
    literal += c;
  }
  return literal + '"';
}

// Design items of a form that describe the form itself rather than what a note stores of it:
// its field list, signature, editors, flags and revisions, and addressing items.
bool IsCopiedFormItem(const std::string& Name) {
  static constexpr std::array<std::string_view, 5> FormOnly = {
      "$FIELDS", "$SIGNATURE", "$UPDATEDBY", "$FLAGS", "$REVISIONS"};
  const std::string upper = NotesUpperCase(Name);
  if (upper.empty() || upper[0] != '$') return false;
  for (std::string_view formOnly : FormOnly)
    if (upper == formOnly) return false;
  return upper.find("COPYTO") == std::string::npos && upper.find("SENDTO") == std::string::npos;
}

}  // namespace

void TNotesDocument::AttachForm(const std::string& FormName) {
  auto forms =
      Database().FindNotes("$TITLE=" + FormulaLiteral(FormName), 0, NOTE_CLASS_FORM, false);
  if (forms->Count() == 0) throw ELotusNotes(-1, "Form " + FormName + " was not found");
  auto form = forms->GetDocument(0);
  // A name that appears several times is copied whole the first time.
  std::set<std::string> copied;
  for (int i = 0; i < form->GetFieldCount(); ++i) {
    const std::string& name = form->GetFieldName(i);
    if (IsCopiedFormItem(name) && copied.insert(NotesUpperCase(name)).second) CopyItem(*form, name);
  }
  if (IsItemExists("Form")) DeleteItem("Form");
  ItemsWritten();
}

bool TNotesDocument::ComputeWithForm(bool RaiseOnError) {
  const STATUS status = NSFNoteComputeWithForm(NoteHandle(), NULLHANDLE, 0, nullptr, nullptr);
  ItemsWritten();
  if (RaiseOnError) CheckNotesStatus(status);
  return status == NOERROR;
}

TVariant TNotesDocument::Evaluate(const std::string& Formula) {
  // A formula may assign fields.
  bool modified = false;
  TVariant value = TNotesFormula(Formula).Evaluate(NoteHandle(), &modified);
  if (modified) ItemsWritten();
  return value;
}
