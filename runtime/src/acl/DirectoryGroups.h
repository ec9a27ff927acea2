#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// One group of a server's directory: its names and its members, LMBCS as stored.
struct TDirectoryGroup {
  std::vector<std::string> Names;
  std::vector<std::string> Members;
};

// Declared here, where group membership decides access, and defined by the names subsystem,
// which owns the directory and its index: the groups of Server's directory (names.nsf); none
// when the server has no directory.
std::vector<TDirectoryGroup> DirectoryGroups(std::string_view Server);

}  // namespace notesrt
