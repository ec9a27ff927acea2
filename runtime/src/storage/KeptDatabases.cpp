#include "storage/KeptDatabases.h"

#include <sys/stat.h>

#include "core/EStatus.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"

namespace notesrt {

namespace {

bool SameFile(const struct stat& File, dev_t Device, ino_t Inode) {
  return File.st_dev == Device && File.st_ino == Inode;
}

}  // namespace

std::shared_ptr<TDatabase> TKeptDatabases::Open(const std::filesystem::path& Path) {
  ReleaseIfGone(Path);
  struct stat file {};
  if (stat(Path.c_str(), &file) != 0) throw EStatus(ERR_NOEXIST);
  if (auto kept = FKept.find(Path); kept != FKept.end()) return kept->second.Database;
  std::shared_ptr<TDatabase> database = TDatabase::Open(Path);
  FKept[Path] = TKept{database, file.st_dev, file.st_ino};
  return database;
}

bool TKeptDatabases::Names(const std::filesystem::path& Path,
                           const std::pair<const std::filesystem::path, TKept>& Kept) {
  return Kept.first == Path || Kept.second.Database->Path() == Path;
}

void TKeptDatabases::Release(const std::filesystem::path& Path) {
  std::erase_if(FKept, [&](const auto& Kept) { return Names(Path, Kept); });
}

bool TKeptDatabases::Gone(const std::pair<const std::filesystem::path, TKept>& Kept) {
  struct stat file {};
  return stat(Kept.first.c_str(), &file) != 0 ||
         !SameFile(file, Kept.second.Device, Kept.second.Inode);
}

void TKeptDatabases::ReleaseIfGone(const std::filesystem::path& Path) {
  std::erase_if(FKept, [&](const auto& Kept) { return Names(Path, Kept) && Gone(Kept); });
}

void TKeptDatabases::ReleaseGone() {
  std::erase_if(FKept, [](const auto& Kept) { return Gone(Kept); });
}

}  // namespace notesrt
