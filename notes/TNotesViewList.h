#pragma once

#include <memory>
#include <string>
#include <vector>

#include "NotesApi.h"

class TNotesView;

// The titles of a database's views and folders, each with the view object opened for it. Every
// object handed out stays alive until Clear, even when Refresh drops the titles: a folder's own
// rename, move, copy or delete refreshes the titles while that folder's method is still running,
// and callers may still hold what GetViews gave them.
class TNotesViewList {
 public:
  TNotesViewList();
  ~TNotesViewList();
  TNotesViewList(const TNotesViewList&) = delete;
  TNotesViewList& operator=(const TNotesViewList&) = delete;

  bool Loaded() const { return FLoaded; }
  // Starts a fresh list of titles (the objects already opened stay alive).
  void Reset();
  void Add(const std::string& Title, NOTEID ViewNoteID);
  int Count() const { return static_cast<int>(FEntries.size()); }
  // Indexes outside the list raise EStringListError.
  const std::string& Title(int Index) const;
  NOTEID ViewNoteID(int Index) const;
  // The object opened for the entry, or null.
  TNotesView* View(int Index) const;
  TNotesView* SetView(int Index, std::unique_ptr<TNotesView> View);
  // The first entry whose whole title is Name, else the first with a "|"-separated part that
  // is Name once trimmed; case is ignored. -1 when none.
  int IndexOf(const std::string& Name) const;
  // Drops the titles; the next use reads them again.
  void Refresh();
  // Drops the titles and frees every object handed out.
  void Clear();

 private:
  struct TEntry {
    std::string Title;
    NOTEID ViewNoteID;
    TNotesView* View;
  };
  const TEntry& Entry(int Index) const;

  bool FLoaded = false;
  std::vector<TEntry> FEntries;
  std::vector<std::unique_ptr<TNotesView>> FOpened;
};
