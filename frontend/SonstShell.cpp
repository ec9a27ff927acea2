// Programs, documents, links, user folders and the clipboard URL.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "Clipboard.h"
#include "DesktopEntry.h"
#include "Registry.h"
#include "ShellLauncher.h"
#include "ShellLink.h"
#include "Sonst.h"
#include "SysUtils.h"
#include "UserDirs.h"

namespace {

// Link files are small; anything bigger is no link.
constexpr std::streamsize MaxLinkFileSize = 1 << 20;

std::string ReadLinkFile(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  std::string Bytes(static_cast<size_t>(MaxLinkFileSize), '\0');
  File.read(Bytes.data(), MaxLinkFileSize);
  Bytes.resize(static_cast<size_t>(File.gcount()));
  return Bytes;
}

std::string StripQuotes(const std::string& Name) {
  if (Name.size() >= 2 && Name.front() == '"' && Name.back() == '"')
    return Name.substr(1, Name.size() - 2);
  return Name;
}

std::string RegistryShellFolder(const std::string& Name) {
  try {
    TRegistry Registry;
    if (Registry.OpenKeyReadOnly(
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders") &&
        Registry.ValueExists(Name))
      return Registry.ReadString(Name);
  } catch (const ERegistryException&) {
  }
  return "";
}

// The URL with its scheme and host in lower case; user name, path and query keep their case.
std::string LowerSchemeAndHost(const std::string& Url) {
  size_t AuthorityStart = Url.find("://") + 3;
  size_t HostEnd = Url.find_first_of("/?#", AuthorityStart);
  if (HostEnd == std::string::npos) HostEnd = Url.size();
  size_t At = Url.rfind('@', HostEnd);
  size_t HostStart = At != std::string::npos && At >= AuthorityStart ? At + 1 : AuthorityStart;
  return LowerCase(Url.substr(0, AuthorityStart)) +
         Url.substr(AuthorityStart, HostStart - AuthorityStart) +
         LowerCase(Url.substr(HostStart, HostEnd - HostStart)) + Url.substr(HostEnd);
}

}  // namespace

void ParseExeFile(const std::string& CmdLine, std::string& Exe, std::string& Params) {
  Exe = CmdLine;
  Params.clear();
  std::string Lower = LowerCase(CmdLine);
  size_t Found = Lower.find(".exe");
  if (Found == std::string::npos) Found = Lower.find(".bat");
  if (Found == std::string::npos || Found < 1) return;
  size_t AfterExtension = Found + 4;
  if (CmdLine.size() <= AfterExtension) return;
  // The character after the extension (a closing quote, or a blank) ends the program part.
  Params = TrimLeft(CmdLine.substr(AfterExtension + 1, 255));
  Exe = Trim(CmdLine.substr(0, AfterExtension + 1));
}

std::string RemoveParameters(const std::string& CmdLine) {
  std::string Exe, Params;
  ParseExeFile(CmdLine, Exe, Params);
  return Exe;
}

int ExecuteFile(const std::string& FileName, const std::string& Params,
                const std::string& DefaultDir, int ShowCmd) {
  std::string File = FileName, Parameters = Params;
  if (Parameters.empty()) ParseExeFile(FileName, File, Parameters);
  return ShellLauncher().Open({StripQuotes(File), Parameters, DefaultDir, ShowCmd});
}

std::string GetLinkedFileName(const std::string& Dir, const TSearchRec& FindData) {
  std::string Path = IncludeTrailingPathDelimiter(Dir) + FindData.Name;
  if (S_ISLNK(FindData.Mode)) {
    char Resolved[PATH_MAX];
    return realpath(Path.c_str(), Resolved) ? Resolved : "";
  }
  std::string Extension = LowerCase(ExtractFileExt(FindData.Name));
  if (Extension == ".desktop") return DesktopLinkTarget(ReadLinkFile(Path));
  TShellLinkTarget Target;
  if (Extension == ".lnk" && ReadShellLink(ReadLinkFile(Path), Target))
    return Target.NetworkPath.empty() ? Target.LocalPath : Target.NetworkPath;
  return "";
}

std::string GetLinkedFileName(const std::string& Dir, const std::string& FileName) {
  struct stat Info;
  if (lstat((IncludeTrailingPathDelimiter(Dir) + FileName).c_str(), &Info) != 0) return "";
  TSearchRec FindData;
  FindData.Name = FileName;
  FindData.Size = Info.st_size;
  FindData.Mode = Info.st_mode;
  FindData.Time = LocalDateTime(Info.st_mtim.tv_sec, Info.st_mtim.tv_nsec);
  return GetLinkedFileName(Dir, FindData);
}

std::string GetShellFolder(const std::string& Name) {
  static const struct {
    const char* Name;
    const char* UserDir;
  } UserFolders[] = {{"Desktop", "DESKTOP"}, {"Personal", "DOCUMENTS"},
                     {"My Music", "MUSIC"},  {"My Pictures", "PICTURES"},
                     {"My Video", "VIDEOS"}, {"Templates", "TEMPLATES"}};
  static const struct {
    const char* Name;
    const char* Variable;
    const char* Fallback;
  } BaseFolders[] = {{"AppData", "XDG_CONFIG_HOME", ".config"},
                     {"Local AppData", "XDG_DATA_HOME", ".local/share"},
                     {"Cache", "XDG_CACHE_HOME", ".cache"}};
  std::string Folder = RegistryShellFolder(Name);
  for (const auto& Entry : UserFolders)
    if (Folder.empty() && SameText(Name, Entry.Name)) Folder = UserDir(Entry.UserDir);
  for (const auto& Entry : BaseFolders)
    if (Folder.empty() && SameText(Name, Entry.Name))
      Folder = XdgBaseDirectory(Entry.Variable, Entry.Fallback);
  return Folder.empty() ? "" : IncludeTrailingPathDelimiter(Folder);
}

bool URLFromClipBoard(std::string& Url, std::string& Kind, bool Clear) {
  Url.clear();
  Kind = "unkown";
  std::optional<std::string> Text = Clipboard().GetData(ClipboardTextFormat);
  if (!Text) return false;
  std::string Lower = LowerCase(*Text);
  if (Lower.rfind("http://", 0) != 0 && Lower.rfind("https://", 0) != 0) {
    Kind = "unknown";
    return false;
  }
  Url = LowerSchemeAndHost(*Text);
  Kind = "URL";
  if (Clear) Clipboard().Clear();
  return true;
}
