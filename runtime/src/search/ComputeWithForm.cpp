// NSFNoteComputeWithForm: the default values a form gives to the fields a note lacks. The
// runtime's forms carry no field layout, only "FieldName|Formula" defaults; nothing else of a
// form is computed.
#include <optional>
#include <string>
#include <vector>

#include "core/ApiCall.h"
#include "note/ItemArgs.h"
#include "note/ItemValue.h"
#include "note/Note.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "search/formula/CompiledFormula.h"
#include "search/formula/Evaluator.h"
#include "search/formula/ItemLayout.h"
#include "search/formula/NoteContext.h"
#include "storage/Database.h"
#include "views/design/DesignItems.h"
#include "views/design/DesignLookup.h"
#include "views/design/DesignNote.h"

using notesrt::EStatus;
using notesrt::TNote;
using notesrt::TNoteItem;

namespace {

constexpr char FormItem[] = "Form";

struct TFieldDefault {
  std::string Field;
  std::string Formula;
};

std::vector<std::string> TextEntries(const TNoteItem* Item) {
  std::vector<std::string> entries;
  if (!Item) return entries;
  std::string_view data = TNote::DataOf(*Item);
  for (size_t index = 0; index < notesrt::TextEntryCount(Item->Type, data); ++index)
    entries.emplace_back(notesrt::TextEntry(Item->Type, data, index).value_or(""));
  return entries;
}

// "Field|Formula": the formula may itself hold "|".
std::vector<TFieldDefault> Parse(const std::vector<std::string>& Entries) {
  std::vector<TFieldDefault> defaults;
  for (const std::string& entry : Entries) {
    size_t bar = entry.find('|');
    if (bar != std::string::npos && bar > 0)
      defaults.push_back({entry.substr(0, bar), entry.substr(bar + 1)});
  }
  return defaults;
}

std::vector<std::string> FormDefaults(TNote& Form) {
  return TextEntries(Form.Find(std::string_view(notesrt::design::FieldDefaultsItem)));
}

// The form named by the note's "Form" item: a shared form first, then one of the user's own.
std::vector<std::string> NamedFormDefaults(TNote& Note) {
  std::vector<std::string> name = TextEntries(Note.Find(std::string_view(FormItem)));
  if (name.empty() || name.front().empty()) return {};
  notesrt::TDatabase& database = Note.Database();
  using notesrt::design::TDesignScope;
  for (TDesignScope scope : {TDesignScope::Shared, TDesignScope::Private}) {
    NOTEID id = notesrt::design::FindDesignNote(database, name.front(), NOTE_CLASS_FORM, scope);
    if (id == 0) continue;
    notesrt::TStoredNote form = database.Notes().Load(id);
    return notesrt::design::TDesignNote(form.Items).TextList(notesrt::design::FieldDefaultsItem);
  }
  return {};
}

// The form given, else the form stored in the note (AttachForm copies its "$" items), else the
// form its "Form" item names.
std::vector<TFieldDefault> DefaultsFor(TNote& Note, NOTEHANDLE FormHandle) {
  if (FormHandle != NULLHANDLE) return Parse(FormDefaults(notesrt::NoteOf(FormHandle)));
  std::vector<std::string> stored = FormDefaults(Note);
  return Parse(stored.empty() ? NamedFormDefaults(Note) : stored);
}

notesrt::TItemValue Evaluate(TNote& Note, const std::string& Formula) {
  notesrt::TCompileError error;
  auto compiled = notesrt::TCompiledFormula::Compile(Formula, false, error);
  if (!compiled) throw EStatus(error.Status ? error.Status : ERR_FORMULA_COMPILATION);
  notesrt::TNoteContext context(Note);
  notesrt::TFormulaResult result = notesrt::TEvaluator(compiled).Evaluate(context);
  notesrt::TItemValue item;
  if (STATUS status = notesrt::ItemOfValue(result.Value, item)) throw EStatus(status);
  return item;
}

// Each default sees the ones before it. On a failure the fields added so far are taken out
// again, so the note is as it was.
void ApplyDefaults(TNote& Note, const std::vector<TFieldDefault>& Defaults) {
  std::vector<std::string> added;
  try {
    for (const TFieldDefault& entry : Defaults) {
      if (Note.Find(std::string_view(entry.Field))) continue;
      notesrt::TItemValue value = Evaluate(Note, entry.Formula);
      Note.Append(entry.Field, ITEM_SUMMARY, value.Type, value.Bytes, notesrt::ItemChangeTime());
      added.push_back(entry.Field);
    }
  } catch (...) {
    for (const std::string& field : added) Note.DeleteAll(field);
    throw;
  }
}

}  // namespace

// A note without a form, or a form without defaults, is left as it is. A failing formula
// returns its status; the error routine is not called.
STATUS LNPUBLIC NSFNoteComputeWithForm(NOTEHANDLE hNote, NOTEHANDLE hFormNote, DWORD,
                                       CWF_ERROR_PROC, void*) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hNote);
    ApplyDefaults(note, DefaultsFor(note, hFormNote));
    return NOERROR;
  });
}
