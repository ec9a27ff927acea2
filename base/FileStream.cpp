#include "FileStream.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SysUtils.h"

namespace {

int OpenFlags(uint16_t Mode) {
  if ((Mode & fmCreate) == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
  switch (Mode & 0x0003) {
    case fmOpenRead:
      return O_RDONLY;
    case fmOpenWrite:
      return O_WRONLY;
    case fmOpenReadWrite:
      return O_RDWR;
    default:
      return -1;
  }
}

// A directory opens on this platform but cannot be read as a file.
int OpenFile(const std::string& FileName, int Flags) {
  if (Flags == -1) {
    errno = EINVAL;
    return -1;
  }
  int Handle = open(FileName.c_str(), Flags | O_CLOEXEC, 0666);
  struct stat Info;
  if (Handle >= 0 && fstat(Handle, &Info) == 0 && S_ISDIR(Info.st_mode)) {
    close(Handle);
    errno = EISDIR;
    return -1;
  }
  return Handle;
}

}  // namespace

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
  FHandle = OpenFile(FileName, OpenFlags(Mode));
  if (FHandle >= 0) return;
  std::string Reason = SysErrorMessage(errno);
  if ((Mode & fmCreate) == fmCreate)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", FileName.c_str(), Reason.c_str()));
  throw EFOpenError(Format("Cannot open file \"%s\". %s", FileName.c_str(), Reason.c_str()));
}

TFileStream::~TFileStream() {
  close(FHandle);
}

std::string TFileStream::ErrorText(const char* Action) const {
  return Format("Cannot %s file \"%s\". %s", Action, FFileName.c_str(),
                SysErrorMessage(errno).c_str());
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    ssize_t Got =
        read(FHandle, static_cast<char*>(Buffer) + Done, static_cast<size_t>(Count - Done));
    if (Got < 0 && errno == EINTR) continue;
    if (Got < 0) throw EReadError(ErrorText("read"));
    if (Got == 0) break;
    Done += Got;
  }
  return Done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    ssize_t Put =
        write(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<size_t>(Count - Done));
    if (Put < 0 && errno == EINTR) continue;
    if (Put <= 0) throw EWriteError(ErrorText("write"));
    Done += Put;
  }
  return Done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  off_t Current = lseek(FHandle, 0, SEEK_CUR);
  if (Current < 0) throw EStreamError(ErrorText("seek in"));
  int64_t Target = SeekTarget(Offset, Origin, Current, Size());
  if (lseek(FHandle, Target, SEEK_SET) < 0) throw EStreamError(ErrorText("seek in"));
  return Target;
}

int64_t TFileStream::Size() const {
  struct stat Info;
  if (fstat(FHandle, &Info) != 0) throw EStreamError(ErrorText("examine"));
  return Info.st_size;
}

void TFileStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  if (ftruncate(FHandle, NewSize) != 0) throw EStreamError(ErrorText("resize"));
  if (Position() > NewSize) Seek(0, soFromEnd);
}
