#include "MountTable.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "SysUtils.h"
#include "WinErrors.h"

namespace {

std::string Unescape(const std::string& Field) {
  std::string Result;
  for (size_t Pos = 0; Pos < Field.size(); ++Pos) {
    if (Field[Pos] == '\\' && Pos + 3 < Field.size()) {
      const std::string Digits = Field.substr(Pos + 1, 3);
      if (Digits.find_first_not_of("01234567") == std::string::npos) {
        Result += static_cast<char>(std::stoi(Digits, nullptr, 8) & 0xFF);
        Pos += 3;
        continue;
      }
    }
    Result += Field[Pos];
  }
  return Result;
}

bool ParseDevice(const std::string& Field, int& Major, int& Minor) {
  size_t Colon = Field.find(':');
  return Colon != std::string::npos && TryStrToInt(Field.substr(0, Colon), Major) &&
         TryStrToInt(Field.substr(Colon + 1), Minor);
}

bool IsBelow(const std::string& Path, const std::string& MountPoint) {
  if (MountPoint == "/") return !Path.empty() && Path[0] == '/';
  return Path.compare(0, MountPoint.size(), MountPoint) == 0 &&
         (Path.size() == MountPoint.size() || Path[MountPoint.size()] == '/');
}

}  // namespace

bool ParseMountInfoLine(const std::string& Line, TMountEntry& Entry) {
  std::istringstream Fields(Line);
  std::string Id, ParentId, Device, Root, MountPoint, Options, Field;
  if (!(Fields >> Id >> ParentId >> Device >> Root >> MountPoint >> Options)) return false;
  // Optional fields run up to the separator "-".
  while (Fields >> Field && Field != "-") {
  }
  std::string FsType, Source;
  if (Field != "-" || !(Fields >> FsType >> Source)) return false;
  TMountEntry Parsed;
  if (!ParseDevice(Device, Parsed.Major, Parsed.Minor)) return false;
  Parsed.Root = Unescape(Root);
  Parsed.MountPoint = Unescape(MountPoint);
  Parsed.Options = Options;
  Parsed.FsType = Unescape(FsType);
  Parsed.Source = Unescape(Source);
  if (Parsed.MountPoint.empty() || Parsed.MountPoint[0] != '/') return false;
  Entry = std::move(Parsed);
  return true;
}

std::string TMountTable::DefaultPath() {
  const char* Override = getenv("VESK_MOUNTINFO");
  return Override && *Override ? Override : "/proc/self/mountinfo";
}

TMountTable TMountTable::Load(const std::string& Path) {
  std::ifstream File(Path);
  if (!File) {
    int Error = errno;
    throw EOSError(Format("Cannot read the mount table \"%s\": %s", Path.c_str(),
                          SysErrorMessage(Error).c_str()),
                   WinErrorFromErrno(Error));
  }
  TMountTable Table;
  std::string Line;
  TMountEntry Entry;
  while (std::getline(File, Line))
    if (ParseMountInfoLine(Line, Entry)) Table.Entries.push_back(Entry);
  return Table;
}

const TMountEntry* TMountTable::Find(const std::string& Path) const {
  const TMountEntry* Best = nullptr;
  for (const TMountEntry& Entry : Entries)
    if (IsBelow(Path, Entry.MountPoint) &&
        (!Best || Entry.MountPoint.size() >= Best->MountPoint.size()))
      Best = &Entry;
  return Best;
}

std::string ResolvePath(const std::string& Path) {
  std::string Absolute = Path;
  if (Absolute.empty() || Absolute[0] != '/') {
    char* Current = getcwd(nullptr, 0);
    Absolute = IncludeTrailingPathDelimiter(Current ? Current : "/") + Path;
    free(Current);
  }
  // Resolve the longest existing head; keep the tail as written.
  std::string Head = ExcludeTrailingPathDelimiter(Absolute), Tail;
  for (;;) {
    char Resolved[PATH_MAX];
    if (realpath(Head.empty() ? "/" : Head.c_str(), Resolved)) {
      std::string Result = Resolved;
      if (!Tail.empty()) Result = IncludeTrailingPathDelimiter(Result) + Tail;
      return Result;
    }
    size_t Slash = Head.rfind('/');
    if (Slash == std::string::npos || Head.empty()) return Absolute;
    std::string Leaf = Head.substr(Slash + 1);
    Tail = Tail.empty() ? Leaf : Leaf + "/" + Tail;
    Head.resize(Slash);
  }
}
