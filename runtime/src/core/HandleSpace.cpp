#include "core/HandleSpace.h"

namespace notesrt {

THandleSpace::THandleSpace(unsigned IndexBits, unsigned HandleBits)
    : FIndexBits(IndexBits),
      FGenerationMask((DWORD{1} << (HandleBits - IndexBits)) - 1),
      FCapacity((size_t{1} << IndexBits) - 1) {}

DHANDLE THandleSpace::Add(std::unique_ptr<THandleObject> Object) {
  size_t index;
  if (!FFree.empty()) {
    index = FFree.front();
    FFree.pop_front();
  } else if (FSlots.size() < FCapacity) {
    index = FSlots.size();
    FSlots.emplace_back();
  } else {
    return NULLHANDLE;
  }
  FSlots[index].Object = std::move(Object);
  return HandleOf(index);
}

THandleObject* THandleSpace::Find(DHANDLE Handle) const {
  const TSlot* slot = SlotOf(Handle);
  return slot ? slot->Object.get() : nullptr;
}

std::unique_ptr<THandleObject> THandleSpace::Remove(DHANDLE Handle) {
  const TSlot* slot = SlotOf(Handle);
  if (!slot) return nullptr;
  size_t index = static_cast<size_t>(slot - FSlots.data());
  std::unique_ptr<THandleObject> object = std::move(FSlots[index].Object);
  Release(index);
  return object;
}

std::vector<std::unique_ptr<THandleObject>> THandleSpace::RemoveAll() {
  std::vector<std::unique_ptr<THandleObject>> objects;
  for (size_t index = 0; index < FSlots.size(); ++index) {
    if (!FSlots[index].Object) continue;
    objects.push_back(std::move(FSlots[index].Object));
    Release(index);
  }
  return objects;
}

const THandleSpace::TSlot* THandleSpace::SlotOf(DHANDLE Handle) const {
  DWORD indexMask = (DWORD{1} << FIndexBits) - 1;
  DWORD slotNumber = Handle & indexMask;
  if (slotNumber == 0 || slotNumber > FSlots.size()) return nullptr;
  const TSlot& slot = FSlots[slotNumber - 1];
  if (!slot.Object || HandleOf(slotNumber - 1) != Handle) return nullptr;
  return &slot;
}

DHANDLE THandleSpace::HandleOf(size_t Index) const {
  return (FSlots[Index].Generation << FIndexBits) | static_cast<DWORD>(Index + 1);
}

void THandleSpace::Release(size_t Index) {
  FSlots[Index].Generation = (FSlots[Index].Generation + 1) & FGenerationMask;
  FFree.push_back(Index);
}

}  // namespace notesrt
