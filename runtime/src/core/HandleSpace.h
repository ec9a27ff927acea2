#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "core/HandleObject.h"

namespace notesrt {

// One range of handle values. A handle is (generation << IndexBits) | (slot + 1): never zero,
// and a freed handle stops matching its slot once the slot's generation moves on.
class THandleSpace {
 public:
  THandleSpace(unsigned IndexBits, unsigned HandleBits);

  // NULLHANDLE when every slot is taken.
  DHANDLE Add(std::unique_ptr<THandleObject> Object);
  THandleObject* Find(DHANDLE Handle) const;
  std::unique_ptr<THandleObject> Remove(DHANDLE Handle);
  std::vector<std::unique_ptr<THandleObject>> RemoveAll();

 private:
  struct TSlot {
    std::unique_ptr<THandleObject> Object;
    DWORD Generation = 0;
  };

  const TSlot* SlotOf(DHANDLE Handle) const;
  DHANDLE HandleOf(size_t Index) const;
  void Release(size_t Index);

  unsigned FIndexBits;
  DWORD FGenerationMask;
  size_t FCapacity;
  std::vector<TSlot> FSlots;
  // Oldest freed slot first, so a stale handle stays recognisable for as long as possible.
  std::deque<size_t> FFree;
};

}  // namespace notesrt
