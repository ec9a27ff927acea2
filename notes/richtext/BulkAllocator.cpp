#include "BulkAllocator.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__linux__)

namespace {

constexpr uintptr_t HugePage = uintptr_t{2} << 20;

size_t Mapped(size_t Bytes) {
  return (Bytes + HugePage - 1) & ~(HugePage - 1);
}

}  // namespace

// Mapped with a huge page of slack, whose unaligned head and tail go back at once: huge pages
// back only whole aligned 2 MB ranges.
void* BulkAllocate(size_t Bytes) {
  const size_t size = Mapped(Bytes);
  void* raw =
      mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + HugePage - 1) & ~(HugePage - 1);
  if (aligned > start) munmap(raw, aligned - start);
  munmap(reinterpret_cast<void*>(aligned + size), start + HugePage - aligned);
  // Only a hint: without huge pages the block is plain memory.
  madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

void BulkFree(void* Block, size_t Bytes) {
  munmap(Block, Mapped(Bytes));
}

#else

void* BulkAllocate(size_t Bytes) {
  return ::operator new(Bytes);
}

void BulkFree(void* Block, size_t) {
  ::operator delete(Block);
}

#endif
