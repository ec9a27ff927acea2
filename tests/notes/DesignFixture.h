#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "NotesHandle.h"
#include "NotesLock.h"
#include "StorageFixture.h"
#include "StringList.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/nsfsearc.h"

// A test database with helpers that write view, folder and form design notes through the
// published API, as a designer's tool would.
class DesignFixture : public StorageFixture {
 protected:
  static constexpr char User[] = "CN=Jane Doe/O=Acme";

  // A view titled Title ("Title|Alias|..."): Selection is its selection formula ("" for none),
  // each column "ItemName|Formula|Flags", Flags its design flags ("V" makes it the current
  // user's private view).
  NOTEID CreateView(const std::string& Title, const std::string& Selection,
                    const std::vector<std::string>& Columns, const std::string& Flags = "") {
    auto view = NoteOfClass(NOTE_CLASS_VIEW);
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
  // A form titled Title with the given text items.
  NOTEID CreateForm(const std::string& Title, const std::map<std::string, std::string>& Items) {
    auto form = NoteOfClass(NOTE_CLASS_FORM);
    SetItems(*form, Items);
    form->GetItemByName("$TITLE")->SetAsString(Title);
    form->Save();
    return form->NoteID();
  }
  // A saved document with the given text items.
  NOTEID CreateDocument(const std::map<std::string, std::string>& Items) {
    auto document = FDatabase->CreateDocument();
    SetItems(*document, Items);
    document->Save();
    return document->NoteID();
  }
  // The note IDs of a collection, in order.
  static std::vector<NOTEID> IDs(const TNotesDocumentCollection& Collection) {
    std::vector<NOTEID> ids;
    for (int i = 0; i < Collection.Count(); ++i)
      ids.push_back(static_cast<NOTEID>(Collection.GetDocumentId(i)));
    return ids;
  }
  // The same in ascending order, for finders that promise no order.
  static std::vector<NOTEID> SortedIDs(const TNotesDocumentCollection& Collection) {
    std::vector<NOTEID> ids = IDs(Collection);
    std::sort(ids.begin(), ids.end());
    return ids;
  }

 private:
  std::unique_ptr<TNotesDocument> NoteOfClass(WORD NoteClass) {
    auto note = FDatabase->CreateDocument();
    NSFNoteSetInfo(note->NoteHandle(), _NOTE_CLASS, &NoteClass);
    return note;
  }
  static void SetItems(TNotesDocument& Note, const std::map<std::string, std::string>& Items) {
    for (const auto& [name, value] : Items) Note.GetItemByName(name)->SetAsString(value);
  }
  static void AppendSelection(TNotesDocument& View, const std::string& Selection) {
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
};
