#pragma once

#include <filesystem>
#include <ostream>

// An exclusive lock on a folder (flock on the folder itself) for as long as the object lives,
// so that programs started at once take turns. The lock goes with the process, also when it is
// killed.
class TFolderLock {
 public:
  // Waits for the lock, telling Progress once when another process holds it.
  TFolderLock(const std::filesystem::path& Folder, std::ostream& Progress);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

 private:
  int FDescriptor = -1;
};
