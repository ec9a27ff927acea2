#include "storage/DbInfoCache.h"

#include "storage/DbFile.h"

namespace notesrt {

namespace {

// Enough for the largest directories listed; past it the cache starts again.
constexpr size_t MaxEntries = 50000;

bool SameTime(const timespec& A, const timespec& B) {
  return A.tv_sec == B.tv_sec && A.tv_nsec == B.tv_nsec;
}

}  // namespace

bool TDbInfoCache::Same(const struct stat& A, const struct stat& B) {
  return A.st_dev == B.st_dev && A.st_ino == B.st_ino && A.st_size == B.st_size &&
         SameTime(A.st_mtim, B.st_mtim) && SameTime(A.st_ctim, B.st_ctim);
}

std::optional<std::string> TDbInfoCache::Info(const std::filesystem::path& Path) {
  struct stat file {
  }, journal{};
  if (stat(Path.c_str(), &file) != 0) return std::nullopt;
  if (stat((Path.string() + "-wal").c_str(), &journal) == 0) return TDbFile::ReadInfo(Path);
  auto found = FEntries.find(Path.string());
  if (found != FEntries.end() && Same(found->second.File, file)) return found->second.Info;
  std::optional<std::string> info = TDbFile::ReadInfo(Path);
  if (!info) return info;
  if (FEntries.size() >= MaxEntries) FEntries.clear();
  FEntries[Path.string()] = TEntry{file, *info};
  return info;
}

}  // namespace notesrt
