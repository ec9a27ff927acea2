#pragma once

#include <string>
#include <vector>

// One line of /proc/<pid>/mountinfo.
struct TMountEntry {
  int Major = 0;
  int Minor = 0;
  // The folder of the mounted file system that appears at MountPoint.
  std::string Root;
  std::string MountPoint;
  std::string Options;
  std::string FsType;
  std::string Source;
};

// Reads one mountinfo line ("36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw"),
// with its octal escapes (\040 for a blank) decoded; false for a malformed line.
bool ParseMountInfoLine(const std::string& Line, TMountEntry& Entry);

// The mounts of this process.
class TMountTable {
 public:
  // Reads Path; raises EOSError naming the file when it cannot be read. Malformed lines are
  // skipped.
  static TMountTable Load(const std::string& Path = DefaultPath());
  // /proc/self/mountinfo, or the file VESK_MOUNTINFO names (for trying out other mounts).
  static std::string DefaultPath();

  // The mount an absolute, resolved path lies on: the longest mount point above it (the later
  // of two mounts on one point hides the earlier); null when none.
  const TMountEntry* Find(const std::string& Path) const;

  std::vector<TMountEntry> Entries;
};

// Path made absolute with its existing part resolved (symbolic links, "." and ".."); the part
// that does not exist is appended as it is.
std::string ResolvePath(const std::string& Path);
