#include "RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

[[noreturn]] void RaiseFileError(const std::string& Action, const std::filesystem::path& File) {
  throw ERegistryException("Cannot " + Action + " registry file " + File.string() + ": " +
                           std::strerror(errno));
}

// An open file descriptor, closed on every path.
class TFileHandle {
 public:
  TFileHandle(const std::filesystem::path& File, int Flags) : FFd(open(File.c_str(), Flags, 0600)) {
    if (FFd < 0) RaiseFileError("open", File);
  }
  ~TFileHandle() {
    if (FFd >= 0) close(FFd);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  int Fd() const { return FFd; }

 private:
  int FFd;
};

void WriteAll(const TFileHandle& Handle, const std::string& Text,
              const std::filesystem::path& File) {
  for (size_t Done = 0; Done < Text.size();) {
    ssize_t Written = write(Handle.Fd(), Text.data() + Done, Text.size() - Done);
    if (Written < 0 && errno == EINTR) continue;
    if (Written < 0) RaiseFileError("write", File);
    Done += static_cast<size_t>(Written);
  }
  if (fsync(Handle.Fd()) != 0) RaiseFileError("write", File);
}

const char* RootName(HKEY Root) {
  switch (Root) {
    case HKEY_LOCAL_MACHINE:
      return "HKEY_LOCAL_MACHINE";
    case HKEY_CLASSES_ROOT:
      return "HKEY_CLASSES_ROOT";
    default:
      return "HKEY_CURRENT_USER";
  }
}

}  // namespace

TRegistryStore::TRegistryStore(HKEY Root) : FRoot(Root) {}

std::filesystem::path TRegistryStore::FileName() const {
  return SiblingFile(".reg");
}

std::filesystem::path TRegistryStore::SiblingFile(const char* Extension) const {
  return TRegistry::Directory() / (std::string(RootName(FRoot)) + Extension);
}

TRegistryHive TRegistryStore::Load() const {
  std::ifstream File(FileName(), std::ios::binary);
  if (!File) {
    if (errno == ENOENT) return TRegistryHive();
    RaiseFileError("read", FileName());
  }
  std::ostringstream Text;
  Text << File.rdbuf();
  return TRegistryHive::Parse(Text.str());
}

void TRegistryStore::Update(const std::function<void(TRegistryHive&)>& Change) {
  std::error_code Error;
  std::filesystem::create_directories(TRegistry::Directory(), Error);
  if (Error)
    throw ERegistryException("Cannot create registry directory " + TRegistry::Directory().string() +
                             ": " + Error.message());
  TFileHandle Lock(SiblingFile(".lock"), O_RDWR | O_CREAT | O_CLOEXEC);
  while (flock(Lock.Fd(), LOCK_EX) != 0)
    if (errno != EINTR) RaiseFileError("lock", SiblingFile(".lock"));
  // Closing the lock file's descriptor releases the lock, also when Change raises.
  TRegistryHive Hive = Load();
  Change(Hive);
  Save(Hive);
}

void TRegistryStore::Save(const TRegistryHive& Hive) const {
  // Only the lock holder writes the temporary file, so one fixed name is enough; a temporary
  // file left by a writer that died is simply overwritten.
  std::filesystem::path Temporary = SiblingFile(".reg.tmp");
  {
    TFileHandle File(Temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    WriteAll(File, std::string("; Vesk registry: ") + RootName(FRoot) + "\n" + Hive.Text(),
             Temporary);
  }
  if (rename(Temporary.c_str(), FileName().c_str()) != 0) RaiseFileError("replace", FileName());
  TFileHandle Directory(TRegistry::Directory(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fsync(Directory.Fd());  // makes the rename itself durable; a failure here loses nothing
}
