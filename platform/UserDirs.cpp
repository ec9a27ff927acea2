#include "UserDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SysUtils.h"

namespace {

// The text between the quotes with backslashes undone; false when unquoted or unclosed.
bool TakeQuoted(const std::string& Value, std::string& Result) {
  if (Value.size() < 2 || Value[0] != '"') return false;
  Result.clear();
  for (size_t Pos = 1; Pos < Value.size(); ++Pos) {
    if (Value[Pos] == '"') return true;
    if (Value[Pos] == '\\' && Pos + 1 < Value.size()) ++Pos;
    Result += Value[Pos];
  }
  return false;
}

bool ParseLine(const std::string& Line, const std::string& Home, std::string& Name,
               std::string& Path) {
  const std::string Prefix = "XDG_", Suffix = "_DIR";
  size_t Equals = Line.find('=');
  if (Equals == std::string::npos) return false;
  std::string Key = Trim(Line.substr(0, Equals)), Value;
  if (Key.size() <= Prefix.size() + Suffix.size() || Key.compare(0, Prefix.size(), Prefix) != 0 ||
      Key.compare(Key.size() - Suffix.size(), Suffix.size(), Suffix) != 0 ||
      !TakeQuoted(Trim(Line.substr(Equals + 1)), Value))
    return false;
  Name = Key.substr(Prefix.size(), Key.size() - Prefix.size() - Suffix.size());
  const std::string HomeVar = "$HOME";
  if (Value.compare(0, HomeVar.size(), HomeVar) == 0 &&
      (Value.size() == HomeVar.size() || Value[HomeVar.size()] == '/'))
    Path = Home + Value.substr(HomeVar.size());
  else if (!Value.empty() && Value[0] == '/')
    Path = Value;
  else
    return false;
  return true;
}

}  // namespace

std::map<std::string, std::string> ParseUserDirs(const std::string& Text, const std::string& Home) {
  std::map<std::string, std::string> Dirs;
  std::istringstream Lines(Text);
  std::string Line, Name, Path;
  while (std::getline(Lines, Line)) {
    std::string Trimmed = Trim(Line);
    if (Trimmed.empty() || Trimmed[0] == '#') continue;
    if (ParseLine(Trimmed, Home, Name, Path)) Dirs[Name] = Path;
  }
  return Dirs;
}

std::string HomeDirectory() {
  const char* Home = getenv("HOME");
  if (Home && *Home) return Home;
  passwd Entry, *Found = nullptr;
  char Buffer[4096];
  if (getpwuid_r(geteuid(), &Entry, Buffer, sizeof Buffer, &Found) == 0 && Found)
    return Found->pw_dir;
  return "/";
}

std::string XdgBaseDirectory(const char* Variable, const std::string& Fallback) {
  const char* Value = getenv(Variable);
  if (Value && Value[0] == '/') return Value;
  return IncludeTrailingPathDelimiter(HomeDirectory()) + Fallback;
}

std::string UserDir(const std::string& Name) {
  std::string Home = HomeDirectory();
  std::ifstream File(XdgBaseDirectory("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
  std::ostringstream Text;
  Text << File.rdbuf();
  auto Dirs = ParseUserDirs(Text.str(), Home);
  if (auto Found = Dirs.find(Name); Found != Dirs.end()) return Found->second;
  return Name == "DESKTOP" ? IncludeTrailingPathDelimiter(Home) + "Desktop" : Home;
}
