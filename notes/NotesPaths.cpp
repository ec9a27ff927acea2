#include "NotesPaths.h"

#include "ELotusNotes.h"
#include "NotesApi.h"
#include "NotesCharset.h"
#include "Registry.h"
#include "StringList.h"

namespace {

constexpr char PathDelimiter = '/';
const char* const NotesRegistryKey = "Software\\Lotus\\Notes";

std::string UpToNul(const char* Buffer) {
  return std::string(Buffer);
}

// Reads the program and data directories of the installed client from the registry; leaves
// both untouched when the key or its first subkey is missing.
void ReadRegistryDirs(std::string& ProgramDir, std::string& DataDir) {
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKeyReadOnly(NotesRegistryKey)) return;
  if (!registry.HasSubKeys()) return;
  TStringList subKeys;
  registry.GetKeyNames(subKeys);
  registry.CloseKey();
  if (subKeys.Count() == 0) return;
  if (!registry.OpenKeyReadOnly(std::string(NotesRegistryKey) + "\\" + subKeys.Strings(0))) return;
  ProgramDir = AddSlashAtPathEnd(registry.ReadString("Path"), true);
  DataDir = AddSlashAtPathEnd(registry.ReadString("DataPath"), true);
}

}  // namespace

std::string ConstructPath(const std::string& Server, const std::string& File) {
  char path[MAXPATH] = {};
  CheckNotesStatus(
      OSPathNetConstruct("", Native2Lmbcs(Server).c_str(), Native2Lmbcs(File).c_str(), path));
  return Lmbcs2Native(UpToNul(path));
}

void ParsePath(const std::string& Path, std::string& Server, std::string& File) {
  char port[MAXPATH] = {}, server[MAXPATH] = {}, file[MAXPATH] = {};
  CheckNotesStatus(OSPathNetParse(Native2Lmbcs(Path).c_str(), port, server, file));
  Server = Lmbcs2Native(UpToNul(server));
  File = Lmbcs2Native(UpToNul(file));
}

std::string GetNotesExeDir() {
  char dir[MAXPATH] = {};
  OSGetExecutableDirectory(dir);
  return AddSlashAtPathEnd(Lmbcs2Native(UpToNul(dir)), true);
}

std::string GetNotesIniFile() {
  char file[MAXPATH] = {};
  OSGetIniFileName(file);
  return Lmbcs2Native(UpToNul(file));
}

std::string GetNotesDataDir() {
  char dir[MAXPATH] = {};
  if (!OSGetEnvironmentString("Directory", dir, sizeof(dir) - 1)) return "";
  return AddSlashAtPathEnd(Lmbcs2Native(UpToNul(dir)), true);
}

std::string AddSlashAtPathEnd(const std::string& Path, bool Add) {
  const bool endsWithSlash = !Path.empty() && Path.back() == PathDelimiter;
  if (Add) return Path.empty() || endsWithSlash ? Path : Path + PathDelimiter;
  return endsWithSlash ? Path.substr(0, Path.size() - 1) : Path;
}

std::string GetActualNotesDir(std::string& DataDir) {
  std::string programDir = GetNotesExeDir();
  DataDir = programDir.empty() ? "" : GetNotesDataDir();
  try {
    ReadRegistryDirs(programDir, DataDir);
  } catch (const std::exception&) {
    // An unreadable registry leaves the directories found next to the runtime.
  }
  return programDir;
}
