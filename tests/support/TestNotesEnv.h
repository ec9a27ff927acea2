#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "ScopedEnv.h"
#include "TempDir.h"
#include "notesapi/notesrt.h"

namespace vesktest {

// A private Notes environment for one test: a temporary data directory, a notes.ini naming it
// and an empty registry, published through the settings and registry variables for as long as
// the object lives.
class TestNotesEnv {
 public:
  explicit TestNotesEnv(const std::map<std::string, std::string>& extraSettings = {}) {
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
  TestNotesEnv(const TestNotesEnv&) = delete;
  TestNotesEnv& operator=(const TestNotesEnv&) = delete;

  const std::filesystem::path& Root() const { return FDir.Path(); }
  std::filesystem::path DataDir() const { return FDir.Path() / "data"; }
  std::filesystem::path IniFile() const { return FDir.Path() / "notes.ini"; }
  std::filesystem::path RegistryDir() const { return FDir.Path() / "registry"; }

 private:
  TempDir FDir;
  std::optional<ScopedEnv> FIni;
  std::optional<ScopedEnv> FRegistry;
};

}  // namespace vesktest
