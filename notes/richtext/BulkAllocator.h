#pragma once

#include <cstddef>
#include <memory>

// Memory for a large buffer that is filled once and then dropped, such as a rich-text context
// of many megabytes. From BulkThreshold on it is mapped on its own and, where the system offers
// them, backed by 2 MB pages, so that filling it costs one page fault per 2 MB instead of one
// per 4 KB: at 40 MB those faults took half the time of composing. Below it the heap keeps
// freed blocks for the next one; blocks this large it maps afresh each time anyway.
void* BulkAllocate(size_t Bytes);
void BulkFree(void* Block, size_t Bytes);
constexpr size_t BulkThreshold = size_t{32} << 20;

template <class T>
struct TBulkAllocator {
  using value_type = T;

  TBulkAllocator() = default;
  template <class U>
  TBulkAllocator(const TBulkAllocator<U>&) noexcept {}

  T* allocate(size_t Count) {
    if (Count * sizeof(T) < BulkThreshold) return std::allocator<T>().allocate(Count);
    return static_cast<T*>(BulkAllocate(Count * sizeof(T)));
  }
  void deallocate(T* Block, size_t Count) noexcept {
    if (Count * sizeof(T) < BulkThreshold)
      std::allocator<T>().deallocate(Block, Count);
    else
      BulkFree(Block, Count * sizeof(T));
  }
  template <class U>
  bool operator==(const TBulkAllocator<U>&) const noexcept {
    return true;
  }
};
