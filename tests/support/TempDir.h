#pragma once

#include <filesystem>
#include <string>

namespace vesktest {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  // The path of Name (which may hold folders) in the directory.
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }
  // Writes Text to the file Name and gives its path.
  std::string Write(const std::string& Name, const std::string& Text) const;

 private:
  std::filesystem::path FPath;
};

}  // namespace vesktest
