#include "storage/FileIdentity.h"

#include <sys/stat.h>

namespace notesrt {

std::optional<TFileIdentity> TFileIdentity::Of(const std::filesystem::path& Path) {
  struct stat file {};
  if (stat(Path.c_str(), &file) != 0) return std::nullopt;
  return TFileIdentity{file.st_dev, file.st_ino, file.st_size, file.st_mtim};
}

}  // namespace notesrt
