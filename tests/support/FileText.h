#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vesktest {

// Whole-file reads and writes for tests that inspect what a unit stored on disk.
inline std::string ReadFileText(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFileText(const std::filesystem::path& File, const std::string& Text) {
  std::ofstream(File, std::ios::binary) << Text;
}

}  // namespace vesktest
