#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "TempDir.h"

namespace vesktest {

// A private Notes environment for one test: a temporary data directory and a notes.ini naming
// it, published through the runtime's settings variable for as long as the object lives.
class TestNotesEnv {
 public:
  explicit TestNotesEnv(const std::map<std::string, std::string>& extraSettings = {});
  ~TestNotesEnv();
  TestNotesEnv(const TestNotesEnv&) = delete;
  TestNotesEnv& operator=(const TestNotesEnv&) = delete;

  const std::filesystem::path& Root() const { return FDir.Path(); }
  std::filesystem::path DataDir() const { return FDir.Path() / "data"; }
  std::filesystem::path IniFile() const { return FDir.Path() / "notes.ini"; }

 private:
  TempDir FDir;
  std::optional<std::string> FOldIni;
};

}  // namespace vesktest
