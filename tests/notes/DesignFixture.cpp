#include "DesignFixture.h"

#include <algorithm>

#include "NotesHandle.h"
#include "NotesLock.h"
#include "StringList.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/nsfsearc.h"

namespace {

std::unique_ptr<TNotesDocument> NoteOfClass(TNotesDatabase& Database, WORD NoteClass) {
  auto note = Database.CreateDocument();
  NSFNoteSetInfo(note->NoteHandle(), _NOTE_CLASS, &NoteClass);
  return note;
}

void SetItems(TNotesDocument& Note, const std::map<std::string, std::string>& Items) {
  for (const auto& [name, value] : Items) Note.GetItemByName(name)->SetAsString(value);
}

void AppendSelection(TNotesDocument& View, const std::string& Selection) {
  TMemoryHandle formula;
  WORD length = 0;
  ASSERT_EQ(
      NSFFormulaCompile(nullptr, 0, Selection.c_str(), static_cast<WORD>(Selection.size()),
                        formula.Receive(), &length, nullptr, nullptr, nullptr, nullptr, nullptr),
      NOERROR)
      << Selection;
  TNotesLock compiled(formula.Get());
  ASSERT_EQ(
      NSFItemAppend(View.NoteHandle(), 0, "$Formula", 8, TYPE_FORMULA, compiled.Data(), length),
      NOERROR);
}

}  // namespace

NOTEID DesignFixture::CreateView(const std::string& Title, const std::string& Selection,
                                 const std::vector<std::string>& Columns,
                                 const std::string& Flags) {
  auto view = NoteOfClass(*FDatabase, NOTE_CLASS_VIEW);
  SetItems(*view, {{"$TITLE", Title}, {"$Flags", Flags}});
  if (Flags.find('V') != std::string::npos)
    view->GetItemByName("$NotesRT_Owner")->SetAsString(User);
  if (!Selection.empty()) AppendSelection(*view, Selection);
  TStringList columns;
  for (const std::string& column : Columns) columns.Add(column);
  view->GetItemByName("$NotesRT_Columns")->SetAsStrings(&columns);
  view->Save();
  return view->NoteID();
}

NOTEID DesignFixture::CreateForm(const std::string& Title,
                                 const std::map<std::string, std::string>& Items) {
  auto form = NoteOfClass(*FDatabase, NOTE_CLASS_FORM);
  SetItems(*form, Items);
  form->GetItemByName("$TITLE")->SetAsString(Title);
  form->Save();
  return form->NoteID();
}

NOTEID DesignFixture::CreateDocument(const std::map<std::string, std::string>& Items) {
  auto document = FDatabase->CreateDocument();
  SetItems(*document, Items);
  document->Save();
  return document->NoteID();
}

std::vector<NOTEID> DesignFixture::IDs(const TNotesDocumentCollection& Collection) {
  std::vector<NOTEID> ids;
  for (int i = 0; i < Collection.Count(); ++i)
    ids.push_back(static_cast<NOTEID>(Collection.GetDocumentId(i)));
  return ids;
}

std::vector<NOTEID> DesignFixture::SortedIDs(const TNotesDocumentCollection& Collection) {
  std::vector<NOTEID> ids = IDs(Collection);
  std::sort(ids.begin(), ids.end());
  return ids;
}
