#pragma once

#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <optional>

namespace notesrt {

// Which file a path names and how it looked: the device and inode tell a file replaced on disk
// (a new file renamed over the old one) from the one opened before; size and modification time
// tell a file written to in place since.
struct TFileIdentity {
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  timespec Modified{};

  // Nothing when the path names no file (deleted) or cannot be read.
  static std::optional<TFileIdentity> Of(const std::filesystem::path& Path);
  bool SameFile(const TFileIdentity& Other) const {
    return Device == Other.Device && Inode == Other.Inode;
  }
  bool Unchanged(const TFileIdentity& Other) const {
    return SameFile(Other) && Size == Other.Size && Modified.tv_sec == Other.Modified.tv_sec &&
           Modified.tv_nsec == Other.Modified.tv_nsec;
  }
};

}  // namespace notesrt
