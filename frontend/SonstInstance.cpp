// The single-instance check and the unit's module state.
//
// A running instance holds an flock on "<name>.lock" in the user's runtime folder. The kernel
// drops the lock when the process ends, however it ends, so a crashed instance never blocks the
// next one; the file itself stays and is reused.
#include <curl/curl.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Application.h"
#include "FileHandle.h"
#include "Sonst.h"
#include "SysUtils.h"
#include "WinErrors.h"

namespace {

// Descriptors whose locks this process keeps until the unit ends.
std::vector<int> HeldLocks;

[[noreturn]] void Fail(const char* Message, int Error) {
  throw EOSError(Message, WinErrorFromErrno(Error));
}

// The name as one safe file name: letters, digits, "-" and "_" stay, every other byte becomes
// "%XX", so that "/" and ".." never reach the file system.
std::string EncodeName(const std::string& Name) {
  std::string Encoded;
  for (char C : Name) {
    if (isalnum(static_cast<unsigned char>(C)) || C == '-' || C == '_')
      Encoded += C;
    else
      Encoded += "%" + HexB(static_cast<uint8_t>(C));
  }
  return Encoded + ".lock";
}

// The folder is opened without following a symbolic link; a private folder of our own must be
// ours and closed to others.
int OpenLockFolder() {
  const char* Runtime = getenv("XDG_RUNTIME_DIR");
  if (Runtime && Runtime[0] == '/')
    return open(Runtime, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  std::string Private = Format("/tmp/vesk-%u", static_cast<unsigned>(geteuid()));
  if (mkdir(Private.c_str(), 0700) != 0 && errno != EEXIST) return -1;
  TFileHandle Fd(open(Private.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat Info;
  if (Fd && (fstat(Fd.Get(), &Info) != 0 || Info.st_uid != geteuid() || (Info.st_mode & 077))) {
    errno = EACCES;
    return -1;
  }
  return Fd.Release();
}

int OpenLockFile(const std::string& MapName) {
  TFileHandle Folder(OpenLockFolder());
  if (!Folder) Fail("CheckAppAlreadyRunning: can't create file mapping", errno);
  int Fd = openat(Folder.Get(), EncodeName(MapName).c_str(),
                  O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (Fd < 0) Fail("CheckAppAlreadyRunning: can't create file mapping", errno);
  return Fd;
}

void RecordHolder(int Fd, HWND Window) {
  std::string Record = Format("%d %u\n", static_cast<int>(getpid()), Window);
  if (ftruncate(Fd, 0) != 0 ||
      pwrite(Fd, Record.data(), Record.size(), 0) != static_cast<ssize_t>(Record.size()))
    Fail("CheckAppAlreadyRunning: can't create map view of file.", errno);
}

void ActivateHolder(int Fd) {
  char Record[64] = {};
  if (pread(Fd, Record, sizeof Record - 1, 0) < 0)
    Fail("CheckAppAlreadyRunning: can't create map view of file.", errno);
  int ProcessId = 0;
  unsigned Window = 0;
  // A holder that has not written its record yet has no window to show.
  if (sscanf(Record, "%d %u", &ProcessId, &Window) == 2 && Window != 0)
    AppActivator().Activate(Window, ProcessId);
}

class TNoActivator : public TAppActivator {
 public:
  void Activate(HWND, int) override {}
};

}  // namespace

TAppActivator& TAppActivator::Default() {
  static TNoActivator None;
  return None;
}

bool CheckAppAlreadyRunning(const std::string& MapName, TApplication& App, bool Activate,
                            bool CloseMapping) {
  TFileHandle Lock(OpenLockFile(MapName));
  if (flock(Lock.Get(), LOCK_EX | LOCK_NB) == 0) {
    RecordHolder(Lock.Get(), App.Handle);
    if (!CloseMapping) HeldLocks.push_back(Lock.Release());
    return false;
  }
  if (errno != EWOULDBLOCK) Fail("CheckAppAlreadyRunning: can't create file mapping", errno);
  if (Activate) ActivateHolder(Lock.Get());
  return true;
}

void SonstInitialize() {
  CURLcode Result = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (Result != CURLE_OK)
    throw Exception(std::string("The URL library cannot start: ") + curl_easy_strerror(Result));
}

void SonstFinalize() {
  for (int Fd : HeldLocks) close(Fd);
  HeldLocks.clear();
  curl_global_cleanup();
}
