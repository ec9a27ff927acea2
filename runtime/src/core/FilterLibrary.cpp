#include "core/FilterLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/ProgramDirectory.h"

namespace notesrt {

namespace {

bool SameWithoutCase(std::string_view A, std::string_view B) {
  return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool EndsWithoutCase(std::string_view Text, std::string_view Suffix) {
  return Text.size() >= Suffix.size() &&
         SameWithoutCase(Text.substr(Text.size() - Suffix.size()), Suffix);
}

// The library's base name: what follows the last separator, without a ".DLL" or ".so" suffix.
// Backslashes separate too, so that a Windows path is never taken for a file name.
std::string_view BaseName(std::string_view Name) {
  size_t separator = Name.find_last_of("/\\");
  std::string_view base = separator == std::string_view::npos ? Name : Name.substr(separator + 1);
  for (std::string_view suffix : {".dll", ".so"})
    if (EndsWithoutCase(base, suffix)) return base.substr(0, base.size() - suffix.size());
  return base;
}

// A directory part must be the program directory itself, however it is spelt.
void CheckDirectoryPart(std::string_view Name, const std::filesystem::path& Program) {
  size_t separator = Name.find_last_of("/\\");
  if (separator == std::string_view::npos) return;
  std::string directory(Name.substr(0, separator == 0 ? 1 : separator));
  std::error_code error;
  std::filesystem::path given = std::filesystem::weakly_canonical(directory, error);
  if (error || Name[separator] == '\\' ||
      given != std::filesystem::weakly_canonical(Program, error) || error)
    throw EStatus(ERR_NOTESRT_LIBRARY_DIRECTORY);
}

}  // namespace

std::filesystem::path FilterLibraryFile(std::string_view Name) {
  const std::filesystem::path program = ProgramDirectory();
  if (program.empty()) throw EStatus(ERR_NOTESRT_LIBRARY_NOT_FOUND);
  CheckDirectoryPart(Name, program);
  std::string_view base = BaseName(Name);
  if (base.empty() || base == "." || base == "..") throw EStatus(ERR_NOTESRT_LIBRARY_NOT_FOUND);
  std::vector<std::filesystem::path> matches;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(program, error)) {
    const std::string file = entry.path().filename().string();
    if (EndsWithoutCase(file, ".so") && SameWithoutCase(BaseName(file), base) &&
        entry.is_regular_file(error))
      matches.push_back(entry.path());
  }
  if (matches.empty()) throw EStatus(ERR_NOTESRT_LIBRARY_NOT_FOUND);
  // Names differing only in case: the same one every time.
  return *std::min_element(matches.begin(), matches.end());
}

TFilterLibrary::TFilterLibrary(const std::filesystem::path& File) {
  FModule = dlopen(File.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!FModule) {
    const char* reason = dlerror();
    LogLine("Filter library " + File.string() + " not loaded: " + (reason ? reason : ""));
    throw EStatus(ERR_NOTESRT_LIBRARY_LOAD);
  }
  FEntryPoint = reinterpret_cast<IXENTRYPROC>(dlsym(FModule, "MainEntryPoint"));
  if (!FEntryPoint) {
    dlclose(FModule);
    throw EStatus(ERR_NOTESRT_NO_ENTRY_POINT);
  }
}

TFilterLibrary::~TFilterLibrary() {
  dlclose(FModule);
}

}  // namespace notesrt
