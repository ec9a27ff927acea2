#include "names/NameLookupBuffers.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "names/NameLookupBuffer.h"

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

std::optional<TNameLookupBuffers::TPosition> TNameLookupBuffers::PositionIn(TMemoryBlock* Block,
                                                                            const void* Pointer) {
  if (!Block || Block->LockCount() == 0) return std::nullopt;
  std::less_equal<const void*> notAfter;
  const char* start = Block->Data();
  const char* end = start + Block->Size();
  if (!notAfter(start, Pointer) || notAfter(end, Pointer)) return std::nullopt;
  auto offset = static_cast<size_t>(static_cast<const char*>(Pointer) - start);
  return TPosition{std::string_view(start, Block->Size()), offset};
}

std::optional<TNameLookupBuffers::TPosition> TNameLookupBuffers::Find(const void* Pointer) {
  if (!Pointer) return std::nullopt;
  const THandleTable& table = THandleTable::Instance();
  if (FLastBlock && FLastRemovals == table.Removals())
    if (auto position = PositionIn(FLastBlock, Pointer)) return position;
  for (DHANDLE handle : FHandles) {
    TMemoryBlock* block = table.Find<TMemoryBlock>(handle);
    if (auto position = PositionIn(block, Pointer)) {
      FLastBlock = block;
      FLastRemovals = table.Removals();
      return position;
    }
  }
  return std::nullopt;
}

const std::vector<std::optional<std::string_view>>* TNameLookupBuffers::MatchItems(
    const void* Pointer) {
  if (Pointer && Pointer == FMatch.Pointer && FLastBlock &&
      FLastRemovals == THandleTable::Instance().Removals() && FLastBlock->LockCount() > 0 &&
      FLastBlock->Data() == FMatch.Data && FLastBlock->Size() == FMatch.Size &&
      std::memcmp(Pointer, FMatch.Bytes.data(), FMatch.Bytes.size()) == 0)
    return &FMatch.Items;
  FMatch.Pointer = nullptr;
  std::optional<TPosition> position = Find(Pointer);
  if (!position) return nullptr;
  TNameLookupReader reader(position->Bytes);
  if (!reader.Valid() || !reader.IsMatch(position->Offset)) return nullptr;
  reader.Items(position->Offset, FMatch.Items);
  FMatch.Bytes.assign(
      position->Bytes.substr(position->Offset, reader.MatchLength(position->Offset)));
  FMatch.Pointer = Pointer;
  FMatch.Data = position->Bytes.data();
  FMatch.Size = position->Bytes.size();
  return &FMatch.Items;
}

void TNameLookupBuffers::ForgetFreed() {
  auto freed = [](DHANDLE handle) {
    return THandleTable::Instance().Find<TMemoryBlock>(handle) == nullptr;
  };
  FHandles.erase(std::remove_if(FHandles.begin(), FHandles.end(), freed), FHandles.end());
}

}  // namespace notesrt
