#pragma once

#include <string>

// Notes network paths ("server!!file") and the directories of the Notes installation. Host
// paths use "/".
std::string ConstructPath(const std::string& Server, const std::string& File);
void ParsePath(const std::string& Path, std::string& Server, std::string& File);

std::string GetNotesExeDir();
std::string GetNotesIniFile();
std::string GetNotesDataDir();
std::string AddSlashAtPathEnd(const std::string& Path, bool Add);

// The program directory (the runtime library's own directory, or the registry's "Path" under
// HKEY_LOCAL_MACHINE\Software\Lotus\Notes\<first subkey>) and the data directory. Never raises.
std::string GetActualNotesDir(std::string& DataDir);
