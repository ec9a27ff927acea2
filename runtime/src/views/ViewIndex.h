#pragma once

#include <cstdint>
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
  // The rows, or nothing when they are not what the index held when it was last brought up to
  // date (rows damaged, lost or changed by something else): such an index is not to be trusted.
  std::optional<std::vector<TIndexRow>> Rows();

 private:
  struct TState {
    int64_t Design = 0;
    int64_t Built = 0;
    int64_t Format = 0;
    bool MembersChanged = false;
    int64_t Entries = 0;
    uint64_t Checksum = 0;
  };

  std::optional<TState> ReadState();
  std::optional<std::vector<TIndexRow>> ReadRows();
  int64_t DesignCounter();
  bool Reusable(const std::optional<TState>& State, int64_t Design) const;
  bool Current(const std::optional<TState>& State, int64_t Design);
  void Update(const std::optional<TState>& State, int64_t Design);
  void UpdateView(TViewEntryMaker& Maker, int64_t After);
  void UpdateFolder(TViewEntryMaker& Maker, int64_t After, bool MembersChanged);
  void Index(TViewEntryMaker& Maker, const TScannedNote& Note);
  void Drop(NOTEID Note);
  // Deletes the entries Where selects (?1 is the view, ?2 the Note when there is one), taking
  // them out of the tally.
  void DeleteEntries(const std::string& Where, std::optional<NOTEID> Note);

  // What the index holds: its number of entries and the sum of their hashes, kept up to date as
  // entries come and go.
  struct TTally {
    int64_t Entries = 0;
    uint64_t Checksum = 0;
    void Add(uint64_t Hash) {
      ++Entries;
      Checksum += Hash;
    }
    void Remove(uint64_t Hash) {
      --Entries;
      Checksum -= Hash;
    }
  };

  TDatabase& FDatabase;
  const design::TViewDesign& FDesign;
  size_t FEvaluated = 0;
  TTally FTally;
};

}  // namespace notesrt
