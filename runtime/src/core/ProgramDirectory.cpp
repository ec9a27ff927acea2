#include "core/ProgramDirectory.h"

#include <dlfcn.h>

#include <filesystem>

namespace notesrt {

std::string ProgramDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ProgramDirectory), &info) == 0 || !info.dli_fname) return {};
  std::error_code error;
  std::filesystem::path library = std::filesystem::absolute(info.dli_fname, error);
  return error ? std::string() : library.parent_path().string();
}

}  // namespace notesrt
