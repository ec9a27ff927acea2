#pragma once

#include <optional>
#include <string>
#include <vector>

#include "views/design/ViewDesign.h"

namespace notesrt {

class TDatabase;
class TViewEntryMaker;
struct TScannedNote;

// An entry of the index as a collection reads it, in view order.
struct TIndexRow {
  NOTEID Note = 0;
  bool Selected = false;
  NOTEID Parent = 0;
  std::string Summary;
};

// The index of one view or folder, kept in its database. Refresh brings it up to date from the
// notes changed since it was last built (the database's change counter), and rebuilds it only
// when the design changed: a view read twice without changes evaluates nothing the second time.
class TViewIndex {
 public:
  TViewIndex(TDatabase& Database, const design::TViewDesign& Design)
      : FDatabase(Database), FDesign(Design) {}

  // How many notes were evaluated.
  size_t Refresh();
  // The next Refresh builds the index anew.
  void Discard();
  std::vector<TIndexRow> Rows();

 private:
  struct TState {
    int64_t Design = 0;
    int64_t Built = 0;
    int64_t Format = 0;
    bool MembersChanged = false;
  };

  std::optional<TState> ReadState();
  int64_t DesignCounter();
  bool Reusable(const std::optional<TState>& State, int64_t Design) const;
  bool Current(const std::optional<TState>& State, int64_t Design);
  void Update(const std::optional<TState>& State, int64_t Design);
  void UpdateView(TViewEntryMaker& Maker, int64_t After);
  void UpdateFolder(TViewEntryMaker& Maker, int64_t After, bool MembersChanged);
  void Index(TViewEntryMaker& Maker, const TScannedNote& Note);
  void Drop(NOTEID Note);

  TDatabase& FDatabase;
  const design::TViewDesign& FDesign;
  size_t FEvaluated = 0;
};

}  // namespace notesrt
