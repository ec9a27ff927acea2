#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace notesrt {

// Where a database path as the API takes it ("file", "dir\file", "server!!file", LMBCS) is on
// disk. Relative paths start at the data directory (or the server's directory); "\" and "/"
// both separate; each component is matched on disk without regard to case; ".." is refused.
// Both need NotesInit first (ERR_NOTESRT_NOT_INITIALIZED), as the settings are read there.
struct TDbPath {
  std::filesystem::path File;
  bool Directory = false;
  // The canonical name (LMBCS) of the server the path named; "" for this machine.
  std::string Server;
};

// An existing database or directory; ".nsf" may be left out. ERR_NOEXIST when there is none,
// ERR_SERVER_NOT_RESPONDING for a server that cannot be reached, ERR_INV_FILE_NAME for a
// malformed path.
TDbPath ResolveExisting(std::string_view Path);
// Where a new database goes: existing components keep the case found on disk, the rest is
// taken as given.
std::filesystem::path ResolveNew(std::string_view Path);
// The canonical name (LMBCS) of the server Path names; "" for this machine.
std::string ServerOfPath(std::string_view Path);

}  // namespace notesrt
