#include "TestNotesEnv.h"

#include <stdlib.h>

#include <fstream>

#include "notesapi/notesrt.h"

namespace vesktest {

namespace {

const char* const RegistryDirEnv = "VESK_REGISTRY_DIR";

std::optional<std::string> ReplaceEnv(const char* Name, const std::string& Value) {
  std::optional<std::string> old;
  if (const char* current = getenv(Name)) old = current;
  setenv(Name, Value.c_str(), 1);
  return old;
}

void RestoreEnv(const char* Name, const std::optional<std::string>& Old) {
  if (Old)
    setenv(Name, Old->c_str(), 1);
  else
    unsetenv(Name);
}

}  // namespace

TestNotesEnv::TestNotesEnv(const std::map<std::string, std::string>& extraSettings) {
  std::filesystem::create_directories(DataDir());
  std::ofstream ini(IniFile());
  ini << "[Notes]\n";
  ini << "Directory=" << DataDir().string() << "\n";
  for (const auto& [key, value] : extraSettings) ini << key << "=" << value << "\n";
  ini.close();
  std::filesystem::create_directories(RegistryDir());
  FOldIni = ReplaceEnv(NOTESRT_INI_ENV, IniFile().string());
  FOldRegistry = ReplaceEnv(RegistryDirEnv, RegistryDir().string());
}

TestNotesEnv::~TestNotesEnv() {
  RestoreEnv(NOTESRT_INI_ENV, FOldIni);
  RestoreEnv(RegistryDirEnv, FOldRegistry);
}

}  // namespace vesktest
