#pragma once

#include <utility>

#include "NotesApi.h"

// Owns one Notes handle and gives it back to Notes with Release when it goes, so that no path,
// an exception's included, leaks it.
template <STATUS (*Release)(DHANDLE)>
class TNotesHandle {
 public:
  TNotesHandle() = default;
  explicit TNotesHandle(DHANDLE Handle) : FHandle(Handle) {}
  ~TNotesHandle() { Reset(); }
  TNotesHandle(const TNotesHandle&) = delete;
  TNotesHandle& operator=(const TNotesHandle&) = delete;
  TNotesHandle(TNotesHandle&& Other) noexcept : FHandle(Other.Detach()) {}
  TNotesHandle& operator=(TNotesHandle&& Other) noexcept {
    if (this != &Other) {
      Reset();
      FHandle = Other.Detach();
    }
    return *this;
  }

  DHANDLE Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != NULLHANDLE; }
  // For a Notes call that hands a new handle back; whatever was held is released first.
  DHANDLE* Receive() {
    Reset();
    return &FHandle;
  }
  // Gives up ownership, for a call that takes the handle over.
  DHANDLE Detach() { return std::exchange(FHandle, NULLHANDLE); }
  // Releases the handle now; the status tells callers that check it whether Notes agreed.
  STATUS Reset() {
    const DHANDLE handle = Detach();
    return handle == NULLHANDLE ? NOERROR : Release(handle);
  }

 private:
  DHANDLE FHandle = NULLHANDLE;
};

using TIdTableHandle = TNotesHandle<IDDestroyTable>;
using TMemoryHandle = TNotesHandle<OSMemFree>;
using TNoteHandle = TNotesHandle<NSFNoteClose>;
