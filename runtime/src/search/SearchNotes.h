#pragma once

#include <memory>
#include <optional>

#include "notesapi/nsfsearc.h"

namespace notesrt {

class TAccess;
class TCompiledFormula;
class TDatabase;

// One NSFSearch over the notes of a database.
struct TSearchRequest {
  // Null selects every note of the class mask.
  std::shared_ptr<const TCompiledFormula> Formula;
  WORD Flags = 0;
  WORD ClassMask = 0;
  // Only notes modified after it.
  std::optional<TIMEDATE> Since;
  NSFSEARCHPROC Routine = nullptr;
  void* Parameter = nullptr;
  // The searching user's access; null when nothing is enforced.
  const TAccess* Access = nullptr;
};

// Calls the routine for every matching note in note ID order: never for deletion stubs or
// profiles, for a private view or folder only when it is the current user's and the class mask
// asks for private design (NOTE_CLASS_PRIVATE), never for a document the user may not read.
// Returns the routine's first non-zero status,
// or the break handler's.
STATUS SearchNotes(TDatabase& Database, const TSearchRequest& Request);

}  // namespace notesrt
