#pragma once

#include <string>

#include "NotesApi.h"
#include "NotesHandle.h"
#include "Variant.h"

// A formula compiled by Notes, freed when the object goes. The text is native and crosses to
// Notes in LMBCS; a formula that does not compile raises ELnFormulaCompile with the position of
// the offending text in the caller's own text.
class TNotesFormula {
 public:
  explicit TNotesFormula(const std::string& Formula);

  FORMULAHANDLE Handle() const { return FHandle.Get(); }
  // The formula's value against Note (NULLHANDLE: none); a formula that writes fields changes
  // the note in memory only.
  // The formula's value for Note; Modified, when given, tells whether it changed the note.
  TVariant Evaluate(NOTEHANDLE Note, bool* Modified = nullptr) const;

 private:
  TMemoryHandle FHandle;
};
