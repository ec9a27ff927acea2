#pragma once

#include "SearchScan.h"
#include "formula/ApiContext.h"

namespace notesrt {

// What a selection or column formula sees of a note read by a scan: its summary items and its
// header. Nothing is written back: FIELD assignments in a selection change nothing stored.
class TScannedNoteContext : public TApiContext {
 public:
  explicit TScannedNoteContext(const TScannedNote& Note) : FNote(Note) {}

  bool HasNote() const override { return true; }
  std::optional<TItemValue> ReadItem(std::string_view Name) override;
  NOTEID NoteId() override { return FNote.Header.Id; }
  UNIVERSALNOTEID Unid() override;
  TIMEDATE Created() override { return FNote.Header.Oid.Note; }
  TIMEDATE Modified() override { return FNote.Header.Modified; }
  bool IsResponse() override { return FNote.Header.Parent != 0; }

 private:
  const TScannedNote& FNote;
};

}  // namespace notesrt
