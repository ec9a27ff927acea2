#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "storage/CommitMark.h"
#include "storage/NoteStore.h"

namespace notesrt {

class TDbFile;

// The notes a caller is likely to open next, in order: the documents of the collection last
// read from this file. Opening them one after another reads them in batches, one statement and
// one read transaction each, instead of one of each per note. A batch serves an open only while
// the file's commit mark is the one it was read under, so every open still returns the note as
// stored at that moment; a commit by anyone drops it. Callers hold the API lock.
class TNoteReadAhead {
 public:
  explicit TNoteReadAhead(TDbFile& File) : FFile(File) {}

  // Replaces the expected order.
  void Expect(std::vector<NOTEID> Order);
  // The header and items blob of Id when it is the note expected next; false when it is to be
  // read on its own (not expected, not a live note, or inside a transaction).
  bool Take(NOTEID Id, TNoteHeader& Header, std::string& Blob);

 private:
  struct TRead {
    TNoteRow Row;
    std::string Blob;
    bool Taken = false;
  };
  bool Current() const;
  void Drop();
  // The batch's read of Id, unless it is not there or already taken.
  TRead* Find(NOTEID Id);
  // Reads the expected notes from position From on; keeps them only under one commit mark.
  void ReadBatch(size_t From);

  TDbFile& FFile;
  std::vector<NOTEID> FOrder;
  // The position in FOrder of the note expected next.
  size_t FNext = 0;
  // Grows while the caller keeps opening in order: a caller that opens one note reads few.
  size_t FBatchSize = 0;
  // By note ID. Kept from batch to batch, so that its room is reused.
  std::vector<TRead> FBatch;
  std::optional<TCommitMark> FMark;
};

}  // namespace notesrt
