#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/EStatus.h"
#include "core/HandleObject.h"
#include "core/HandleSpace.h"
#include "core/TestedApi.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// The process-wide table of every handle the runtime hands out, counted by kind. Callers hold
// the API lock. Collections get 16-bit handles (HCOLLECTION is a WORD); every other kind 32-bit.
class NOTESRT_TESTED THandleTable {
 public:
  static THandleTable& Instance();

  // Takes ownership; raises ERR_NOTESRT_TOO_MANY_HANDLES when the kind's space is full.
  DHANDLE Add(std::unique_ptr<THandleObject> Object);
  // Null for a zero, freed or wrong-kind handle.
  THandleObject* Find(DHANDLE Handle, WORD Kind) const;
  std::unique_ptr<THandleObject> Remove(DHANDLE Handle, WORD Kind);
  DWORD Count(WORD Kind) const;
  DWORD TotalCount() const;
  // Destroys every open object, the most dependent kinds (higher numbers) first.
  void FreeAll();
  // Grows whenever a handle is freed: while it stays the same, every object found before is
  // still there, without looking each one up again.
  uint64_t Removals() const { return FRemovals; }

  template <class T>
  T* Find(DHANDLE Handle) const {
    return static_cast<T*>(Find(Handle, T::KindId));
  }

  // As Find, but a bad handle abandons the call with ERR_NOTESRT_INVALID_HANDLE.
  template <class T>
  T& Get(DHANDLE Handle) const {
    T* object = Find<T>(Handle);
    if (!object) throw EStatus(ERR_NOTESRT_INVALID_HANDLE);
    return *object;
  }

 private:
  THandleTable();
  THandleSpace& SpaceFor(WORD Kind);
  const THandleSpace& SpaceFor(WORD Kind) const;

  THandleSpace FWide;
  THandleSpace FNarrow;
  std::array<DWORD, NOTESRT_HANDLE_KINDS> FCounts{};
  uint64_t FRemovals = 0;
};

}  // namespace notesrt
