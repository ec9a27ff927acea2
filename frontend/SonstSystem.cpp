// The system facts of the utility unit: the tick timer, user and computer names, the version and
// error texts.
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "Clock.h"
#include "Sonst.h"
#include "SysUtils.h"
#include "WinErrors.h"

namespace {

constexpr size_t MaxNameLength = 128;

std::string CutName(std::string Name) {
  if (Name.size() > MaxNameLength) Name.resize(MaxNameLength);
  return Name;
}

// The parts of the version CMake gives the build.
constexpr uint16_t VersionParts[4] = {VESK_VERSION_MAJOR, VESK_VERSION_MINOR, VESK_VERSION_PATCH,
                                      VESK_VERSION_TWEAK};

}  // namespace

uint32_t MarkTime(uint32_t MS) {
  return Clock().TickCount() + MS;
}

bool TimeOut(uint32_t Mark) {
  return Clock().TickCount() - Mark < 0x80000000u;
}

int32_t TimeRest(uint32_t Mark) {
  int64_t Rest = static_cast<int64_t>(Mark) - static_cast<int64_t>(Clock().TickCount());
  // The counter wrapped between the mark and now.
  if (Rest < -2000000000) Rest += int64_t{1} << 32;
  return static_cast<int32_t>(std::clamp<int64_t>(Rest, -2147483647, 2147483647));
}

std::string GetUserName() {
  passwd Entry, *Found = nullptr;
  char Buffer[4096];
  if (getpwuid_r(geteuid(), &Entry, Buffer, sizeof Buffer, &Found) != 0 || !Found) return "";
  return CutName(Found->pw_name);
}

std::string GetComputerName() {
  char Name[256] = {};
  if (gethostname(Name, sizeof Name - 1) != 0) return "";
  return CutName(Name);
}

std::string GetAppVersion(const std::string& Format) {
  std::string Result;
  size_t Part = 0;
  for (size_t Pos = 0; Pos < Format.size(); ++Pos) {
    if (Format[Pos] == '%' && Pos + 1 < Format.size()) {
      char Kind = Format[Pos + 1];
      if (Kind == '%') {
        Result += '%';
        ++Pos;
        continue;
      }
      if ((Kind == 'd' || Kind == 'u') && Part < 4) {
        Result += std::to_string(VersionParts[Part++]);
        ++Pos;
        continue;
      }
    }
    Result += Format[Pos];
  }
  return Result;
}

uint64_t GetProductVersion() {
  uint64_t Version = 0;
  for (uint16_t Part : VersionParts) Version = Version << 16 | Part;
  return Version;
}

std::string WinErrorAsString(int Code) {
  switch (Code) {
    case ERROR_GEN_FAILURE:
      return "No program is associated with this file or address";
    case ERROR_BAD_DEVICE:
      return "The name lies on no network share";
    case ERROR_NOT_CONNECTED:
      return "The name lies on a local drive, not on a network connection";
  }
  if (int Errno = ErrnoFromWinError(Code)) return SysErrorMessage(Errno);
  return "Unknown error";
}
