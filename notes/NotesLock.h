#pragma once

#include <cstddef>

#include "NotesApi.h"

// Keeps a Notes memory object or block locked while the object lives. Data() is null when
// Notes refused the lock (a stale or freed handle), so callers test it before reading.
class TNotesLock {
 public:
  explicit TNotesLock(DHANDLE Handle);
  explicit TNotesLock(BLOCKID Block);
  ~TNotesLock();
  TNotesLock(const TNotesLock&) = delete;
  TNotesLock& operator=(const TNotesLock&) = delete;

  const char* Data() const { return FData; }
  char* Data() { return FData; }

 private:
  DHANDLE FHandle = NULLHANDLE;
  char* FData = nullptr;
};
