#pragma once

#include "NotesSession.h"

// The object library started for as long as the object lives, as a module's start-up and
// shutdown would; for programs that use the library outside a module.
class TNotesSessionScope {
 public:
  TNotesSessionScope() { NotesObjectsInitialize(); }
  ~TNotesSessionScope() { NotesObjectsFinalize(); }
  TNotesSessionScope(const TNotesSessionScope&) = delete;
  TNotesSessionScope& operator=(const TNotesSessionScope&) = delete;
};
