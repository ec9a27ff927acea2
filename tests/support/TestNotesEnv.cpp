#include "TestNotesEnv.h"

#include <fstream>

#include "notesapi/notesrt.h"

namespace vesktest {

TestNotesEnv::TestNotesEnv(const std::map<std::string, std::string>& extraSettings) {
  std::filesystem::create_directories(DataDir());
  std::ofstream ini(IniFile());
  ini << "[Notes]\n";
  ini << "Directory=" << DataDir().string() << "\n";
  // The first line of a name wins: a test's own filter settings before the usual ones.
  for (const auto& [key, value] : extraSettings) ini << key << "=" << value << "\n";
  ini << NOTESRT_BUILTIN_FILTER_SETTINGS;
  ini.close();
  std::filesystem::create_directories(RegistryDir());
  FIni.emplace(NOTESRT_INI_ENV, IniFile().c_str());
  FRegistry.emplace("VESK_REGISTRY_DIR", RegistryDir().c_str());
}

TestNotesEnv::~TestNotesEnv() = default;

}  // namespace vesktest
