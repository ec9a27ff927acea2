#include "storage/KeptDatabases.h"

#include <sys/stat.h>

#include "core/EStatus.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"

namespace notesrt {

std::shared_ptr<TDatabase> TKeptDatabases::Open(const std::filesystem::path& Path) {
  struct stat file {};
  if (stat(Path.c_str(), &file) != 0) {
    Release(Path);
    throw EStatus(ERR_NOEXIST);
  }
  auto kept = FKept.find(Path);
  if (kept != FKept.end() && kept->second.Device == file.st_dev &&
      kept->second.Inode == file.st_ino)
    return kept->second.Database;
  Release(Path);
  std::shared_ptr<TDatabase> database = TDatabase::Open(Path);
  FKept[Path] = TKept{database, file.st_dev, file.st_ino};
  return database;
}

// Path may be the caller's name of the file or the database's own (canonical) one.
void TKeptDatabases::Release(const std::filesystem::path& Path) {
  std::erase_if(FKept, [&](const auto& Kept) {
    return Kept.first == Path || Kept.second.Database->Path() == Path;
  });
}

}  // namespace notesrt
