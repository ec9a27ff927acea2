#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>

#include "Exception.h"

class VESK_API ETempFileError : public Exception {
 public:
  using Exception::Exception;
};

// The temporary files of one process: a private directory (mode 0700) under $TMPDIR or /tmp,
// named after the process so that the directory of a process that no longer runs can be told
// apart and removed. Filters take file names in fields of 100 bytes, so a name that would be
// longer is refused, never cut.
class TPrivateTempDir {
 public:
  // Longest path a name may have: a 100-byte field with its terminating NUL.
  static constexpr size_t MaxPathLength = 99;

  // Removes what processes no longer running left under the base directory, then makes this
  // process's directory. Raises ETempFileError naming the base when it cannot.
  TPrivateTempDir();
  explicit TPrivateTempDir(const std::filesystem::path& Base);
  // Removes the directory with every file still in it.
  ~TPrivateTempDir();
  TPrivateTempDir(const TPrivateTempDir&) = delete;
  TPrivateTempDir& operator=(const TPrivateTempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  // A new empty file Prefix, a number, Suffix, made exclusively (mode 0600).
  std::string CreateFile(const std::string& Prefix, const std::string& Suffix = ".tmp");

  // $TMPDIR when it is an absolute path, else /tmp.
  static std::filesystem::path DefaultBase();
  // Removes the directories of Base that processes of this user no longer running made.
  static void RemoveStale(const std::filesystem::path& Base);

 private:
  std::filesystem::path FPath;
  unsigned FNext = 0;
};

// A file removed when the holder goes (nothing when it was never made or already gone).
class TTempFile {
 public:
  TTempFile() = default;
  explicit TTempFile(std::string Path) : FPath(std::move(Path)) {}
  ~TTempFile() { Remove(); }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  const std::string& Path() const { return FPath; }
  // The file is the caller's from now on.
  std::string Release() { return std::exchange(FPath, std::string()); }
  void Reset(std::string Path) {
    Remove();
    FPath = std::move(Path);
  }
  void Remove();

 private:
  std::string FPath;
};
