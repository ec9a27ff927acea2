#include "TNotesViewList.h"

#include "AnsiCompare.h"
#include "Classes.h"
#include "SysUtils.h"
#include "TNotesView.h"

namespace {

bool SameName(const std::string& A, const std::string& B) {
  return AnsiCompareText(A, B) == 0;
}

bool HasPart(const std::string& Title, const std::string& Name) {
  size_t start = 0;
  for (;;) {
    const size_t bar = Title.find('|', start);
    if (SameName(Trim(Title.substr(start, bar - start)), Name)) return true;
    if (bar == std::string::npos) return false;
    start = bar + 1;
  }
}

}  // namespace

TNotesViewList::TNotesViewList() = default;
TNotesViewList::~TNotesViewList() = default;

void TNotesViewList::Reset() {
  FEntries.clear();
  FLoaded = true;
}

void TNotesViewList::Add(const std::string& Title, NOTEID ViewNoteID) {
  FEntries.push_back({Title, ViewNoteID, nullptr});
}

const TNotesViewList::TEntry& TNotesViewList::Entry(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FEntries[Index];
}

const std::string& TNotesViewList::Title(int Index) const {
  return Entry(Index).Title;
}

NOTEID TNotesViewList::ViewNoteID(int Index) const {
  return Entry(Index).ViewNoteID;
}

TNotesView* TNotesViewList::View(int Index) const {
  return Entry(Index).View;
}

TNotesView* TNotesViewList::SetView(int Index, std::unique_ptr<TNotesView> View) {
  Entry(Index);
  FOpened.push_back(std::move(View));
  return FEntries[Index].View = FOpened.back().get();
}

int TNotesViewList::IndexOf(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameName(FEntries[i].Title, Name)) return i;
  for (int i = 0; i < Count(); ++i)
    if (HasPart(FEntries[i].Title, Name)) return i;
  return -1;
}

void TNotesViewList::Refresh() {
  FEntries.clear();
  FLoaded = false;
}

void TNotesViewList::Clear() {
  Refresh();
  FOpened.clear();
}
