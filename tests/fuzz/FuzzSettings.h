#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "notesapi/notesrt.h"

// A temporary data directory and a notes.ini naming it, published for the runtime to start
// with; the caller removes the directory at exit.
inline std::filesystem::path MakeFuzzSettings() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vesk-fuzz-XXXXXX").string();
  const std::filesystem::path directory = mkdtemp(pattern.data());
  std::filesystem::create_directories(directory / "data");
  std::ofstream(directory / "notes.ini")
      << "[Notes]\nDirectory=" << (directory / "data").string() << "\n";
  setenv(NOTESRT_INI_ENV, (directory / "notes.ini").c_str(), 1);
  return directory;
}
