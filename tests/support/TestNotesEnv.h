#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "ScopedEnv.h"
#include "TempDir.h"

namespace vesktest {

// A private Notes environment for one test: a temporary data directory, a notes.ini naming it
// and an empty registry, published through the settings and registry variables for as long as
// the object lives.
class TestNotesEnv {
 public:
  explicit TestNotesEnv(const std::map<std::string, std::string>& extraSettings = {});
  ~TestNotesEnv();
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
