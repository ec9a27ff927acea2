#pragma once

#include "search/SearchScan.h"
#include "search/formula/ApiContext.h"

namespace notesrt {

class TDatabase;

// What a selection or column formula sees of a note read by a scan: its summary items, its
// header and its database. Nothing is written back: FIELD assignments in a selection change
// nothing stored.
class TScannedNoteContext : public TApiContext {
 public:
  TScannedNoteContext(TDatabase& Database, const TScannedNote& Note)
      : FDatabase(Database), FNote(Note) {}

  bool HasNote() const override { return true; }
  std::optional<TItemValue> ReadItem(std::string_view Name) override;
  NOTEID NoteId() override { return FNote.Header.Id; }
  UNIVERSALNOTEID Unid() override;
  TIMEDATE Created() override { return FNote.Header.Oid.Note; }
  TIMEDATE Modified() override { return FNote.Header.Modified; }
  bool IsResponse() override { return FNote.Header.Parent != 0; }
  std::string DbPath() override;
  std::string DbTitle() override;

 private:
  TDatabase& FDatabase;
  const TScannedNote& FNote;
};

}  // namespace notesrt
