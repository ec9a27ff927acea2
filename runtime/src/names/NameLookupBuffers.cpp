#include "names/NameLookupBuffers.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/HandleTable.h"
#include "core/MemoryBlock.h"

namespace notesrt {

TNameLookupBuffers& TNameLookupBuffers::Instance() {
  static TNameLookupBuffers& buffers = *new TNameLookupBuffers;
  return buffers;
}

DHANDLE TNameLookupBuffers::Add(std::string Bytes) {
  ForgetFreed();
  DHANDLE handle = TMemoryBlock::Adopt(std::move(Bytes));
  FHandles.push_back(handle);
  return handle;
}

std::optional<TNameLookupBuffers::TPosition> TNameLookupBuffers::Find(const void* Pointer) {
  if (!Pointer) return std::nullopt;
  std::less_equal<const void*> notAfter;
  for (DHANDLE handle : FHandles) {
    TMemoryBlock* block = THandleTable::Instance().Find<TMemoryBlock>(handle);
    if (!block || block->LockCount() == 0) continue;
    const char* start = block->Data();
    const char* end = start + block->Size();
    if (notAfter(start, Pointer) && !notAfter(end, Pointer)) {
      auto offset = static_cast<size_t>(static_cast<const char*>(Pointer) - start);
      return TPosition{std::string_view(start, block->Size()), offset};
    }
  }
  return std::nullopt;
}

void TNameLookupBuffers::ForgetFreed() {
  auto freed = [](DHANDLE handle) {
    return THandleTable::Instance().Find<TMemoryBlock>(handle) == nullptr;
  };
  FHandles.erase(std::remove_if(FHandles.begin(), FHandles.end(), freed), FHandles.end());
}

}  // namespace notesrt
