#include "MemoryBlock.h"

#include <algorithm>
#include <memory>

#include "EStatus.h"
#include "HandleTable.h"
#include "notesapi/miscerr.h"
#include "notesapi/oserr.h"

namespace notesrt {

DHANDLE TMemoryBlock::Allocate(size_t Size, bool RuntimeOwned) {
  return THandleTable::Instance().Add(std::make_unique<TMemoryBlock>(Size, RuntimeOwned));
}

TMemoryBlock::TMemoryBlock(size_t Size, bool RuntimeOwned)
    : FSize(Size), FRuntimeOwned(RuntimeOwned) {
  if (Size == 0) throw EStatus(ERR_MISC_INVALID_ARGS);
  CheckSize(Size);
  FBytes.resize(Size);
}

void TMemoryBlock::Resize(size_t Size) {
  CheckSize(Size);
  FBytes.resize(std::max<size_t>(Size, 1));
  FSize = Size;
}

char* TMemoryBlock::Lock() {
  ++FLockCount;
  return Data();
}

bool TMemoryBlock::Unlock() {
  if (FLockCount == 0) return false;
  --FLockCount;
  return true;
}

void TMemoryBlock::CheckSize(size_t Size) {
  if (Size > MaxSize) throw EStatus(ERR_MEMORY);
}

}  // namespace notesrt
