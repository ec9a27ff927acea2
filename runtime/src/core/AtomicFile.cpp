#include "core/AtomicFile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <optional>

namespace notesrt {

namespace {

// Closes the descriptor on every path.
class TFd {
 public:
  explicit TFd(int Fd) : FFd(Fd) {}
  ~TFd() {
    if (FFd >= 0) close(FFd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return FFd; }
  // Closes now, so that a failing close (a late write error) is seen.
  int Close() {
    int result = close(FFd);
    FFd = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int FFd;
};

int WriteAll(int Fd, std::string_view Bytes) {
  while (!Bytes.empty()) {
    ssize_t written = write(Fd, Bytes.data(), Bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    Bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

std::string DirectoryOf(const std::string& Path) {
  std::string parent = std::filesystem::path(Path).parent_path().string();
  return parent.empty() ? "." : parent;
}

// A name beside Path that no other writer uses: the process ID and a counter tell apart
// writers in several processes and threads.
std::string TemporaryNameFor(const std::string& Path) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path path(Path);
  std::string name = "." + path.filename().string() + "." + std::to_string(getpid()) + "." +
                     std::to_string(counter++) + ".tmp";
  return (path.parent_path() / name).string();
}

// An unnamed file in the directory: a process killed while writing leaves nothing behind.
// Null where the file system cannot make one.
std::optional<int> OpenUnnamed(const std::string& Directory, int& Error) {
  if (access("/proc/self/fd", X_OK) != 0) return std::nullopt;  // no way to name it later
  int fd = open(Directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd >= 0) return fd;
  Error = errno;
  if (Error == EOPNOTSUPP || Error == EISDIR || Error == EINVAL) return std::nullopt;
  return -1;
}

int OpenNamed(const std::string& Temporary) {
  return open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
}

// Gives the unnamed file its temporary name, for the rename.
int LinkUnnamed(int Fd, const std::string& Temporary) {
  std::string self = "/proc/self/fd/" + std::to_string(Fd);
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, Temporary.c_str(), AT_SYMLINK_FOLLOW) == 0
             ? 0
             : errno;
}

int KeepModeOf(const std::string& Path, int Fd) {
  struct stat existing {};
  if (lstat(Path.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) return 0;
  return fchmod(Fd, existing.st_mode & 07777) == 0 ? 0 : errno;
}

int WriteAndSync(const std::string& Path, TFd& File, std::string_view Bytes, bool Durable) {
  int error = KeepModeOf(Path, File.Get());
  if (error == 0) error = WriteAll(File.Get(), Bytes);
  if (error == 0 && Durable && fsync(File.Get()) != 0) error = errno;
  return error;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncDirectory(const std::string& Directory) {
  TFd directory(open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Get() >= 0) fsync(directory.Get());
}

int RenameOver(const std::string& Temporary, const std::string& Path) {
  if (rename(Temporary.c_str(), Path.c_str()) == 0) return 0;
  int error = errno;
  unlink(Temporary.c_str());
  return error;
}

}  // namespace

int WriteFileAtomically(const std::string& Path, std::string_view Bytes, bool Durable) {
  const std::string directory = DirectoryOf(Path);
  const std::string temporary = TemporaryNameFor(Path);
  int error = 0;
  std::optional<int> unnamed = OpenUnnamed(directory, error);
  if (unnamed && *unnamed < 0) return error;
  TFd file(unnamed ? *unnamed : OpenNamed(temporary));
  if (file.Get() < 0) return errno;
  error = WriteAndSync(Path, file, Bytes, Durable);
  if (error == 0 && unnamed) error = LinkUnnamed(file.Get(), temporary);
  const bool named = !unnamed || error == 0;
  if (int closed = file.Close(); error == 0) error = closed;
  if (error != 0) {
    if (named) unlink(temporary.c_str());
    return error;
  }
  error = RenameOver(temporary, Path);
  if (error == 0 && Durable) SyncDirectory(directory);
  return error;
}

}  // namespace notesrt
