#pragma once

#include "search/formula/Value.h"

namespace notesrt {

// What evaluating a formula against a note gives: the value (of the last SELECT, else of the
// last statement), whether it selects the note (a number other than 0), and whether FIELD
// assignments or @SetField changed the note.
struct TFormulaResult {
  TValue Value;
  bool Matches = false;
  bool Modified = false;
  bool ShouldBeDeleted = false;
};

}  // namespace notesrt
