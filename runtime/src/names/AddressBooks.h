#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// One address book in use: its path as the setting names it (LMBCS) and its file.
struct TAddressBook {
  std::string Path;
  std::filesystem::path File;
};

// The address books of Server (LMBCS): its names.nsf. For an empty Server, the books the
// setting NAMES lists (comma-separated, default names.nsf), in that order, each once. Only
// existing databases count. ERR_SERVER_NOT_RESPONDING for a server that cannot be reached.
std::vector<TAddressBook> AddressBooksOf(std::string_view Server);

}  // namespace notesrt
