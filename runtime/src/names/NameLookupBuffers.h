#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

class TMemoryBlock;

// The lookup results handed out and not yet freed. The locator functions get bare pointers
// into a result, never its handle; this finds the result a pointer belongs to, so that every
// read they make stays inside it. Callers hold the API lock.
class TNameLookupBuffers {
 public:
  static TNameLookupBuffers& Instance();

  // A new memory handle holding Bytes, remembered as a lookup result.
  DHANDLE Add(std::string Bytes);
  // The bytes of the locked lookup result that Pointer points into, and its offset there;
  // nullopt for any other pointer (also one into a result that is unlocked or freed).
  struct TPosition {
    std::string_view Bytes;
    size_t Offset;
  };
  std::optional<TPosition> Find(const void* Pointer);
  // The items of the match that Pointer points at (see TNameLookupReader::Items); null for a
  // pointer that is no match of a locked lookup result. Valid until the next call.
  const std::vector<std::optional<std::string_view>>* MatchItems(const void* Pointer);

 private:
  TNameLookupBuffers() = default;
  void ForgetFreed();
  static std::optional<TPosition> PositionIn(TMemoryBlock* Block, const void* Pointer);

  std::vector<DHANDLE> FHandles;
  // The result the last pointer was found in: a walk asks about one result thousands of times,
  // and while no handle is freed the block is still there, so the table need not be searched.
  TMemoryBlock* FLastBlock = nullptr;
  uint64_t FLastRemovals = 0;
  // The match asked about last, with its items: a caller reads them one by one. They hold while
  // that block is the last one found, no handle was freed, its bytes are where they were and
  // the match's own bytes are as they were read (the caller may write into the result).
  struct TMatch {
    const void* Pointer = nullptr;
    const char* Data = nullptr;
    size_t Size = 0;
    std::string Bytes;
    std::vector<std::optional<std::string_view>> Items;
  };
  TMatch FMatch;
};

}  // namespace notesrt
