#pragma once

#include "notesapi/global.h"

namespace notesrt {

// Process start-up state: how many NotesInit calls are outstanding. Callers hold the API lock.
class TRuntime {
 public:
  static TRuntime& Instance();

  // Reads the settings file on the first call; fails with ERR_NOTESRT_NO_INI without it.
  STATUS Init();
  // The last call frees every open handle and forgets the installed signal handlers.
  void Term();
  bool Initialized() const { return FInitCount > 0; }

 private:
  TRuntime() = default;
  unsigned FInitCount = 0;
};

// Raises ERR_NOTESRT_NOT_INITIALIZED before NotesInit (or after the last NotesTerm): what reaches
// a database needs the settings NotesInit reads.
void RequireInitialized();

}  // namespace notesrt
