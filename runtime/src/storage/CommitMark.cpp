#include "storage/CommitMark.h"

#include <atomic>
#include <cstdint>
#include <cstring>

namespace notesrt {

namespace {

// The WAL index starts with two copies of its 48-byte header; a writer updates the second copy
// first, so copies that agree are a whole header. Its first page is 32 KB.
constexpr int WalIndexPageSize = 32768;
constexpr size_t IsInitOffset = 12;

// One copy of the header, read word by word (the mapping is page-aligned and each copy starts on
// a word): every note opened asks, and a byte-wise volatile read costs more than the open.
TCommitMark ReadHeaderCopy(const volatile uint64_t* Words) {
  std::array<uint64_t, sizeof(TCommitMark) / sizeof(uint64_t)> words{};
  for (size_t index = 0; index < words.size(); ++index) words[index] = Words[index];
  TCommitMark mark{};
  std::memcpy(mark.data(), words.data(), mark.size());
  return mark;
}

}  // namespace

std::optional<TCommitMark> ReadCommitMark(sqlite3* Db) {
  sqlite3_file* file = nullptr;
  if (sqlite3_file_control(Db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
      !file->pMethods || file->pMethods->iVersion < 2 || !file->pMethods->xShmMap)
    return std::nullopt;
  // Not extending: an index that is not there yet is not created.
  volatile void* region = nullptr;
  if (file->pMethods->xShmMap(file, 0, WalIndexPageSize, 0, &region) != SQLITE_OK || !region)
    return std::nullopt;
  const auto* header = static_cast<const volatile uint64_t*>(region);
  const TCommitMark first = ReadHeaderCopy(header);
  std::atomic_thread_fence(std::memory_order_seq_cst);
  const TCommitMark second = ReadHeaderCopy(header + sizeof(TCommitMark) / sizeof(uint64_t));
  if (first != second || first[IsInitOffset] == 0) return std::nullopt;
  return first;
}

}  // namespace notesrt
