// The file tests and moves of the utility unit, over POSIX calls.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>

#include "Clock.h"
#include "FileHandle.h"
#include "MountTable.h"
#include "Sonst.h"
#include "SysUtils.h"

namespace {

bool ConflictingRecordLock(int Fd) {
  struct flock Lock = {};
  Lock.l_type = F_WRLCK;
  Lock.l_whence = SEEK_SET;
  // F_OFD_GETLK reports locks of other descriptions: other processes' fcntl and OFD locks.
  return fcntl(Fd, F_OFD_GETLK, &Lock) == 0 && Lock.l_type != F_UNLCK;
}

bool ConflictingFlock(int Fd) {
  if (flock(Fd, LOCK_EX | LOCK_NB) == 0) {
    flock(Fd, LOCK_UN);
    return false;
  }
  return errno == EWOULDBLOCK;
}

bool HasOfficeLockFile(const std::string& Name) {
  std::string Lock = ExtractFilePath(Name) + ".~lock." + ExtractFileName(Name) + "#";
  return access(Lock.c_str(), F_OK) == 0;
}

// The sysfs folder of the block device Major:Minor, or empty.
std::string BlockDeviceFolder(const TMountEntry& Mount) {
  if (Mount.Major == 0) return "";
  std::string Folder = Format("/sys/dev/block/%d:%d", Mount.Major, Mount.Minor);
  return access(Folder.c_str(), F_OK) == 0 ? Folder : "";
}

// The sysfs flag of the device, or of the whole disk for a partition.
bool DeviceFlag(const std::string& Path, const char* Flag) {
  try {
    TMountTable Table = TMountTable::Load();
    const TMountEntry* Mount = Table.Find(ResolvePath(Path));
    std::string Folder = Mount ? BlockDeviceFolder(*Mount) : "";
    if (Folder.empty()) return false;
    for (const std::string& Candidate : {Folder + "/" + Flag, Folder + "/../" + Flag}) {
      std::ifstream Value(Candidate);
      int Set = 0;
      if (Value >> Set) return Set != 0;
    }
  } catch (const EOSError&) {
  }
  return false;
}

// Copies all of From into To and makes it durable; false on any failure.
bool CopyContents(int From, int To, const struct stat& Info) {
  char Buffer[65536];
  for (;;) {
    ssize_t Got = read(From, Buffer, sizeof Buffer);
    if (Got < 0 && errno == EINTR) continue;
    if (Got < 0) return false;
    if (Got == 0) break;
    for (ssize_t Done = 0; Done < Got;) {
      ssize_t Put = write(To, Buffer + Done, static_cast<size_t>(Got - Done));
      if (Put < 0 && errno == EINTR) continue;
      if (Put <= 0) return false;
      Done += Put;
    }
  }
  const timespec Times[2] = {Info.st_atim, Info.st_mtim};
  return fchmod(To, Info.st_mode & 07777) == 0 && futimens(To, Times) == 0 && fsync(To) == 0;
}

void SyncFolder(const std::string& Folder) {
  TFileHandle Dir(open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (Dir) fsync(Dir.Get());
}

}  // namespace

bool ValidFilename(const std::string& Name) {
  if (Name.size() < 2) return false;
  if (TFileHandle(open(Name.c_str(), O_RDONLY | O_CLOEXEC))) return true;
  // Only a file made here and now is removed again.
  TFileHandle Created(open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!Created) return false;
  Created.Close();
  unlink(Name.c_str());
  return true;
}

bool PathExist(const std::string& Dir) {
  struct stat Info;
  return stat(Dir.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode) && access(Dir.c_str(), X_OK) == 0;
}

bool IstOpenFile(const std::string& Name) {
  TFileHandle File(open(Name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!File) return false;
  return ConflictingRecordLock(File.Get()) || ConflictingFlock(File.Get()) ||
         HasOfficeLockFile(Name);
}

bool IsOnRemovableMedia(const std::string& Path) {
  return DeviceFlag(Path, "removable");
}

bool IsOnReadOnlyMedia(const std::string& Path) {
  struct statvfs Info;
  if (statvfs(Path.c_str(), &Info) == 0 && (Info.f_flag & ST_RDONLY)) return true;
  return DeviceFlag(Path, "ro");
}

bool EqualFiles(const std::string& A, const std::string& B) {
  struct stat First, Second;
  return stat(A.c_str(), &First) == 0 && stat(B.c_str(), &Second) == 0 &&
         First.st_size == Second.st_size && First.st_mtim.tv_sec == Second.st_mtim.tv_sec &&
         First.st_mtim.tv_nsec == Second.st_mtim.tv_nsec && First.st_mode == Second.st_mode;
}

std::string ChangeExtension(const std::string& Name, const std::string& Ext) {
  std::string NewName = ChangeFileExt(Name, Ext);
  if (NewName == Name) return Name;
  // rename replaces a file of the new name in one step and fails on a folder, leaving both.
  return rename(Name.c_str(), NewName.c_str()) == 0 ? NewName : Name;
}

bool CopyAndDelSource(const std::string& Source, const std::string& DestDir) {
  std::string Target = IncludeTrailingPathDelimiter(DestDir) + ExtractFileName(Source);
  struct stat From, To;
  TFileHandle In(open(Source.c_str(), O_RDONLY | O_CLOEXEC));
  if (!In || fstat(In.Get(), &From) != 0 || !S_ISREG(From.st_mode)) return false;
  if (stat(Target.c_str(), &To) == 0 && To.st_dev == From.st_dev && To.st_ino == From.st_ino)
    return false;
  std::string Temporary = IncludeTrailingPathDelimiter(DestDir) + ".~copy-XXXXXX";
  TFileHandle Out(mkostemp(Temporary.data(), O_CLOEXEC));
  if (!Out) return false;
  bool Copied = CopyContents(In.Get(), Out.Get(), From) && Out.Close() &&
                rename(Temporary.c_str(), Target.c_str()) == 0;
  if (!Copied) {
    unlink(Temporary.c_str());
    return false;
  }
  SyncFolder(DestDir);
  return unlink(Source.c_str()) == 0;
}

TDateTime DirCreationDate(const std::string& Dir) {
  struct statx Info;
  if (statx(AT_FDCWD, Dir.c_str(), 0, STATX_TYPE | STATX_MTIME | STATX_BTIME, &Info) != 0 ||
      !S_ISDIR(Info.stx_mode))
    return -1;
  const statx_timestamp& Time = (Info.stx_mask & STATX_BTIME) ? Info.stx_btime : Info.stx_mtime;
  // Two-second precision, as the Windows file date has.
  return LocalDateTime(Time.tv_sec - (Time.tv_sec & 1), 0);
}

double DirAge(const std::string& Dir) {
  return Clock().Now() - DirCreationDate(Dir);
}
