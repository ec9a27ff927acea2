// The views and folders of TNotesDatabase.
#include <string>
#include <utility>
#include <vector>

#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"
#include "TNotesItem.h"
#include "TNotesView.h"

namespace {

// Views and folders, the current user's private ones included.
constexpr WORD AllViewClasses = NOTE_CLASS_VIEW | NOTE_CLASS_PRIVATE;

}  // namespace

void TNotesDatabase::CheckViews() {
  if (FViews.Loaded()) return;
  auto designs = FindNotes("@All", 0, AllViewClasses, false);
  std::vector<std::pair<std::string, NOTEID>> titles;
  for (int i = 0; i < designs->Count(); ++i) {
    auto design = designs->GetDocument(i);
    titles.emplace_back(design->GetItemByName("$TITLE")->GetAsString(), design->NoteID());
  }
  // Only a complete list counts as read.
  FViews.Reset();
  for (const auto& [title, noteID] : titles) FViews.Add(title, noteID);
}

int TNotesDatabase::GetViewCount() {
  CheckViews();
  return FViews.Count();
}

// Opened by the note the title was read from: two design notes may carry the same title (a
// shared view and a private one), and a lookup by title would find the shared one for both.
TNotesView* TNotesDatabase::GetViewByIndex(int Index) {
  CheckViews();
  if (TNotesView* view = FViews.View(Index)) return view;
  return FViews.SetView(Index,
                        TNotesView::OpenView(*this, FViews.Title(Index), FViews.ViewNoteID(Index)));
}

TNotesView* TNotesDatabase::GetViews(const std::string& Name) {
  CheckViews();
  const int index = FViews.IndexOf(Name);
  return index < 0 ? nullptr : GetViewByIndex(index);
}

void TNotesDatabase::UpdateViews() {
  FViews.Refresh();
}

std::unique_ptr<TNotesView> TNotesDatabase::OpenView(const std::string& Name, TDateTime, int32_t) {
  return TNotesView::OpenView(*this, Name);
}
