#pragma once

#include <functional>
#include "fulltext/FullTextQuery.h"
#include "notesapi/nsfdata.h"
#include "storage/NoteObserver.h"

namespace notesrt {

class TDbFile;

// The full-text index of one database: an FTS5 table with one row per searchable field of a
// document (the row ID packs the note ID and the field's position), stemmed and folded for
// diacritics. It is made on the first search and from then on kept current inside the very
// transaction that stores or deletes a note, so it is never stale, also for other processes.
class TFullTextIndex : public INoteObserver {
 public:
  explicit TFullTextIndex(TDbFile& File) : FFile(File) {}

  // Builds the index from every document, in one write, unless the database has one.
  void Ensure();
  // Drops the index and builds it again from every document, in one write.
  void Rebuild();

  void NoteStored(const TStoredNote& Note) override;
  void NoteDeleted(NOTEID Id) override;

  // Every document with a field (Term's field, or any) holding Term's words as a phrase;
  // OnMatch gets each such note ID once with its relevance (above 0, higher is better).
  void Match(const TFullTextNode& Term, const std::function<void(NOTEID, double)>& OnMatch);

 private:
  bool Exists();
  void Build();
  void Insert(const TStoredNote& Note);
  void Remove(NOTEID Id);

  TDbFile& FFile;
};

}  // namespace notesrt
