#pragma once

#include "NotesApi.h"
#include "Object.h"

// A face of a note's font table: its face number and family, kept beside its name.
class TNotesFont : public TObject {
 public:
  TNotesFont(WORD Face, WORD Family) : Face(Face), Family(Family) {}
  ~TNotesFont() override;

  WORD Face;
  WORD Family;
};
