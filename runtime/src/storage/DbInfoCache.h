#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

namespace notesrt {

// The information buffers of database files read for directory listings, each kept with the
// file's identity, size and change times, so that listing a directory again reads no schema. A
// file with a journal beside it is read each time (its last commits are not in the file yet);
// a file changed since it was read (a checkpoint rewrites it) is read again. Kept for the session
// (TRuntime::Session). Callers hold the API lock.
class TDbInfoCache {
 public:
  // As TDbFile::ReadInfo.
  std::optional<std::string> Info(const std::filesystem::path& Path);

 private:
  struct TEntry {
    struct stat File;
    std::string Info;
  };
  static bool Same(const struct stat& A, const struct stat& B);
  std::unordered_map<std::string, TEntry> FEntries;
};

}  // namespace notesrt
