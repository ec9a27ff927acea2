// The file-name helpers of SysUtils.h.
#include <sys/stat.h>

#include "SysUtils.h"

namespace {

constexpr char PathDelim = '/';

// Position just after the last "/", 0 when there is none.
size_t NameStart(const std::string& FileName) {
  size_t Slash = FileName.rfind(PathDelim);
  return Slash == std::string::npos ? 0 : Slash + 1;
}

// Position of the extension's dot within the name part, npos when there is none.
size_t ExtStart(const std::string& FileName) {
  size_t Dot = FileName.rfind('.');
  return (Dot == std::string::npos || Dot < NameStart(FileName)) ? std::string::npos : Dot;
}

bool StatMode(const std::string& Path, mode_t Kind) {
  struct stat Info;
  return !Path.empty() && stat(Path.c_str(), &Info) == 0 && (Info.st_mode & S_IFMT) == Kind;
}

}  // namespace

// An empty path stays empty (the current directory) rather than turning into the root.
std::string IncludeTrailingPathDelimiter(const std::string& Path) {
  if (Path.empty() || Path.back() == PathDelim) return Path;
  return Path + PathDelim;
}

// The root keeps its "/": without it the path would name the current directory.
std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
  if (Path.size() <= 1 || Path.back() != PathDelim) return Path;
  return Path.substr(0, Path.size() - 1);
}

std::string ExtractFilePath(const std::string& FileName) {
  return FileName.substr(0, NameStart(FileName));
}

std::string ExtractFileName(const std::string& FileName) {
  return FileName.substr(NameStart(FileName));
}

std::string ExtractFileExt(const std::string& FileName) {
  size_t Dot = ExtStart(FileName);
  return Dot == std::string::npos ? std::string() : FileName.substr(Dot);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
  return FileName.substr(0, ExtStart(FileName)) + Extension;
}

bool FileExists(const std::string& FileName) {
  return StatMode(FileName, S_IFREG);
}

bool DirectoryExists(const std::string& Directory) {
  return StatMode(Directory, S_IFDIR);
}
