#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "storage/ItemCodec.h"
#include "storage/StoredNote.h"

namespace notesrt {

class TDbFile;
class TSqlQuery;

// A note as searches and views see it: its header and its summary items (a selection formula
// sees only those, as in Notes). The items point into the note's stored bytes, so that a search
// over many notes copies nothing it does not hand out; a vector's bytes stay put when the note
// moves.
struct TScannedNote {
  TNoteHeader Header;
  bool Deleted = false;
  std::vector<char> Blob;
  std::vector<TItemView> Items;
};

// Which notes a scan returns. Profiles never; deletion stubs only when asked.
struct TScanFilter {
  WORD ClassMask = 0;
  // Only notes changed after this value of the database's change counter.
  int64_t ChangedAfter = -1;
  bool Stubs = false;
  // Without items the scan reads only the note rows.
  bool Items = true;
};

// Reads the notes of a database in note ID order, a batch at a time, so that no statement
// stays open between batches: the caller may change the database in between (a search
// routine may save notes).
class TNoteScan {
 public:
  using TNotes = std::vector<TScannedNote>;

  TNoteScan(TDbFile& File, TScanFilter Filter) : FFile(File), FFilter(Filter) {}

  // The next batch into Batch (whose notes are reused); false at the end.
  bool Next(TNotes& Batch);
  // One note by ID, if the filter takes it.
  std::optional<TScannedNote> Find(NOTEID Id);

 private:
  static constexpr int64_t BatchSize = 512;

  // The ID of the last row read (kept or not); 0 when there was none.
  NOTEID ReadRows(TSqlQuery& Query, TNotes& Notes);

  TDbFile& FFile;
  TScanFilter FFilter;
  NOTEID FAfter = 0;
};

}  // namespace notesrt
