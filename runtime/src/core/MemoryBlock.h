#pragma once

#include <cstddef>
#include <string>

#include "core/HandleObject.h"
#include "core/TestedApi.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// A Notes memory object: bytes behind a memory handle, with a lock count. A runtime-owned block
// (a note's pool, a list the runtime has taken over) is used through the same handle functions
// but only the runtime may free it.
class NOTESRT_TESTED TMemoryBlock : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_MEMORY;
  // Far above any Notes object (items stop at 64 KB); refusing more keeps a bad size from
  // exhausting the process.
  static constexpr size_t MaxSize = size_t{512} << 20;

  // Adds a zero-filled block to the handle table. Raises ERR_MEMORY above MaxSize and
  // ERR_MISC_INVALID_ARGS for size 0.
  static DHANDLE Allocate(size_t Size, bool RuntimeOwned = false);
  // A block that takes over Bytes (not empty) without copying: large results built in memory.
  static DHANDLE Adopt(std::string Bytes);

  explicit TMemoryBlock(size_t Size, bool RuntimeOwned);
  explicit TMemoryBlock(std::string Bytes);
  WORD Kind() const override { return KindId; }

  char* Data() { return FBytes.data(); }
  size_t Size() const { return FSize; }
  // Keeps the contents and zero-fills growth; the data may move.
  void Resize(size_t Size);

  char* Lock();
  // False when the block was not locked.
  bool Unlock();
  unsigned LockCount() const { return FLockCount; }

  bool RuntimeOwned() const { return FRuntimeOwned; }
  void SetRuntimeOwned(bool RuntimeOwned) { FRuntimeOwned = RuntimeOwned; }

 private:
  static void CheckSize(size_t Size);

  // Data() is never null, also for an empty string.
  std::string FBytes;
  size_t FSize;
  unsigned FLockCount = 0;
  bool FRuntimeOwned;
};

}  // namespace notesrt
