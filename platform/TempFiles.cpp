#include "TempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "FileHandle.h"

namespace fs = std::filesystem;

namespace {

// Directory names: "vesk-" uid "-" pid "-" start time of the process "-" random, so that a
// process started later under the same pid does not claim an older directory.
constexpr char NamePrefix[] = "vesk-";

// The start time of a running process in clock ticks since boot, or 0 when it does not run.
unsigned long long StartTime(pid_t Pid) {
  std::ifstream stat("/proc/" + std::to_string(Pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return 0;
  // The command name may hold blanks and parentheses: the fields follow the last ")".
  const size_t end = line.rfind(')');
  if (end == std::string::npos) return 0;
  std::istringstream fields(line.substr(end + 1));
  std::string field;
  // Field 22 is the start time; fields 3 to 21 come before it.
  for (int index = 3; index <= 22 && fields >> field; ++index)
    if (index == 22) return std::strtoull(field.c_str(), nullptr, 10);
  return 0;
}

std::string OwnPrefix() {
  return NamePrefix + std::to_string(getuid()) + "-";
}

// A directory of a process that no longer runs: its pid is gone or now belongs to a process
// started at another time.
bool IsStale(const std::string& Name, const std::string& Prefix) {
  if (Name.rfind(Prefix, 0) != 0) return false;
  unsigned long long pid = 0, started = 0;
  char random[16];
  if (std::sscanf(Name.c_str() + Prefix.size(), "%llu-%llu-%15s", &pid, &started, random) != 3)
    return false;
  if (pid == 0 || pid > 0x7FFFFFFF) return false;
  return StartTime(static_cast<pid_t>(pid)) != started;
}

[[noreturn]] void Raise(const std::string& What, const fs::path& Path, int Error) {
  throw ETempFileError(What + " " + Path.string() + ": " + std::strerror(Error));
}

}  // namespace

fs::path TPrivateTempDir::DefaultBase() {
  const char* dir = std::getenv("TMPDIR");
  if (dir != nullptr && dir[0] == '/') return dir;
  return "/tmp";
}

void TPrivateTempDir::RemoveStale(const fs::path& Base) {
  const std::string prefix = OwnPrefix();
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(Base, error)) {
    const std::string name = entry.path().filename().string();
    struct stat info {};
    // Only real directories of this user: never follow a link another user placed.
    if (lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != getuid() || !IsStale(name, prefix))
      continue;
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
  }
}

TPrivateTempDir::TPrivateTempDir() : TPrivateTempDir(DefaultBase()) {}

TPrivateTempDir::TPrivateTempDir(const fs::path& Base) {
  RemoveStale(Base);
  const pid_t pid = getpid();
  std::string pattern = (Base / (OwnPrefix() + std::to_string(pid) + "-" +
                                 std::to_string(StartTime(pid)) + "-XXXXXX"))
                            .string();
  // mkdtemp makes the directory with mode 0700.
  if (mkdtemp(pattern.data()) == nullptr)
    Raise("Cannot make a temporary directory in", Base, errno);
  FPath = pattern;
}

TPrivateTempDir::~TPrivateTempDir() {
  std::error_code ignored;
  fs::remove_all(FPath, ignored);
}

std::string TPrivateTempDir::CreateFile(const std::string& Prefix, const std::string& Suffix) {
  // Numbers of four hex digits, as the Windows call makes them; the first free one is taken.
  for (unsigned tries = 0; tries < 0x10000; ++tries) {
    char number[8];
    std::snprintf(number, sizeof number, "%04X", FNext++ & 0xFFFF);
    const std::string path = (FPath / (Prefix + number + Suffix)).string();
    if (path.size() > MaxPathLength)
      throw ETempFileError("The temporary file name " + path + " is longer than " +
                           std::to_string(MaxPathLength) + " bytes");
    TFileHandle file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (file) return path;
    if (errno != EEXIST) Raise("Cannot make the temporary file", path, errno);
  }
  throw ETempFileError("No free temporary file name left in " + FPath.string());
}

void TTempFile::Remove() {
  if (!FPath.empty()) ::unlink(FPath.c_str());
  FPath.clear();
}
