#include "core/MemoryBlock.h"

#include <algorithm>
#include <memory>

#include "core/EStatus.h"
#include "core/HandleTable.h"
#include "notesapi/miscerr.h"
#include "notesapi/oserr.h"

namespace notesrt {

DHANDLE TMemoryBlock::Allocate(size_t Size, bool RuntimeOwned) {
  return THandleTable::Instance().Add(std::make_unique<TMemoryBlock>(Size, RuntimeOwned));
}

DHANDLE TMemoryBlock::Adopt(std::string Bytes) {
  return THandleTable::Instance().Add(std::make_unique<TMemoryBlock>(std::move(Bytes)));
}

TMemoryBlock::TMemoryBlock(std::string Bytes)
    : FBytes(std::move(Bytes)), FSize(FBytes.size()), FRuntimeOwned(false) {
  if (FSize == 0) throw EStatus(ERR_MISC_INVALID_ARGS);
  CheckSize(FSize);
}

TMemoryBlock::TMemoryBlock(size_t Size, bool RuntimeOwned)
    : FSize(Size), FRuntimeOwned(RuntimeOwned) {
  if (Size == 0) throw EStatus(ERR_MISC_INVALID_ARGS);
  CheckSize(Size);
  FBytes.resize(Size);
}

void TMemoryBlock::Resize(size_t Size) {
  CheckSize(Size);
  FBytes.resize(Size);
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
