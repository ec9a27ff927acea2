#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "FileText.h"

namespace vesktest {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + templ);
    FPath = templ;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  // The path of Name (which may hold folders) in the directory.
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }
  // Writes Text to the file Name and gives its path.
  std::string Write(const std::string& Name, const std::string& Text) const {
    WriteFileText(FPath / Name, Text);
    return File(Name);
  }

 private:
  std::filesystem::path FPath;
};

}  // namespace vesktest
