#include "ShellLauncher.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ShellWords.h"
#include "Spawn.h"
#include "SysUtils.h"

namespace {

// What the checks before starting find wrong with Path, or 0.
int PathProblem(const std::string& Path) {
  struct stat Info;
  if (stat(Path.c_str(), &Info) == 0)
    return access(Path.c_str(), R_OK) == 0 || S_ISDIR(Info.st_mode) ? 0 : SE_ERR_ACCESSDENIED;
  if (errno == EACCES) return SE_ERR_ACCESSDENIED;
  if (errno == ENOTDIR) return SE_ERR_PNF;
  std::string Folder = ExtractFilePath(Path);
  return Folder.empty() || DirectoryExists(Folder) ? SE_ERR_FNF : SE_ERR_PNF;
}

bool IsProgram(const std::string& Path) {
  struct stat Info;
  return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) && (Info.st_mode & 0111) &&
         access(Path.c_str(), X_OK) == 0;
}

std::string AbsolutePath(const std::string& File, const std::string& Directory) {
  if (!File.empty() && File[0] == '/') return File;
  if (!Directory.empty()) return IncludeTrailingPathDelimiter(Directory) + File;
  char* Current = getcwd(nullptr, 0);
  std::string Result = IncludeTrailingPathDelimiter(Current ? Current : "/") + File;
  free(Current);
  return Result;
}

int StartFailure(int Error) {
  switch (Error) {
    case ENOENT:
      return SE_ERR_FNF;
    case ENOTDIR:
      return SE_ERR_PNF;
    case EACCES:
    case EPERM:
      return SE_ERR_ACCESSDENIED;
    case ENOEXEC:
      return SE_ERR_BADFORMAT;
    default:
      return SE_ERR_NOASSOC;
  }
}

}  // namespace

std::string ShellOpenResultText(int Code) {
  switch (Code) {
    case SE_ERR_FNF:
      return "the file is missing";
    case SE_ERR_PNF:
      return "its folder is missing";
    case SE_ERR_ACCESSDENIED:
      return "access is denied";
    case SE_ERR_BADFORMAT:
      return "it is no program this system can run";
    case SE_ERR_DDETIMEOUT:
      return "the launcher did not finish in time";
    case SE_ERR_NOASSOC:
      return "no program handles it";
    default:
      return Code > 32 ? "opened" : "it could not be opened";
  }
}

bool IsUrlName(const std::string& Name) {
  size_t Colon = Name.find(':');
  if (Colon == std::string::npos || Colon < 2 || !isalpha(static_cast<unsigned char>(Name[0])))
    return false;
  for (size_t Pos = 1; Pos < Colon; ++Pos) {
    unsigned char C = static_cast<unsigned char>(Name[Pos]);
    if (!isalnum(C) && C != '+' && C != '-' && C != '.') return false;
  }
  return true;
}

TShellLauncher& TShellLauncher::Default() {
  static TDesktopLauncher Desktop;
  return Desktop;
}

int TDesktopLauncher::Open(const TShellOpenRequest& Request) {
  if (!Request.Directory.empty() && !DirectoryExists(Request.Directory)) return SE_ERR_PNF;
  if (IsUrlName(Request.File)) return OpenWithDesktop(Request.File);
  std::string Path = AbsolutePath(Request.File, Request.Directory);
  if (int Problem = PathProblem(Path)) return Problem;
  if (IsProgram(Path)) return Run(Path, Request.Params, Request.Directory);
  return OpenWithDesktop(Path);
}

int TDesktopLauncher::OpenWithDesktop(const std::string& Target) {
  std::vector<std::string> Argv;
  if (std::string Gio = FindProgram("gio"); !Gio.empty())
    Argv = {Gio, "open", Target};
  else if (std::string XdgOpen = FindProgram("xdg-open"); !XdgOpen.empty())
    Argv = {XdgOpen, Target};
  else
    return SE_ERR_NOASSOC;
  TSpawnResult Result = SpawnDetached(Argv, "", true, TimeOut);
  if (Result.Kind == TSpawnResult::skTimedOut) return SE_ERR_DDETIMEOUT;
  bool Opened = Result.Kind == TSpawnResult::skExited && Result.ExitStatus == 0;
  return Opened ? SE_OPEN_SUCCEEDED : SE_ERR_NOASSOC;
}

int TDesktopLauncher::Run(const std::string& Program, const std::string& Params,
                          const std::string& Directory) {
  std::vector<std::string> Argv = SplitShellWords(Params);
  Argv.insert(Argv.begin(), Program);
  TSpawnResult Result = SpawnDetached(Argv, Directory, false, TimeOut);
  if (Result.Kind == TSpawnResult::skExecFailed) return StartFailure(Result.Error);
  return SE_OPEN_SUCCEEDED;
}
