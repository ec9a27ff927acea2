#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FilterFixture.h"
#include "notesapi/ixport.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/osfile.h"
#include "notesapi/osmisc.h"

namespace {

using filtertest::FilterTest;

std::string ProgramDirectory() {
  char directory[MAXPATH];
  OSGetExecutableDirectory(directory);
  return directory;
}

class FilterLibrary : public FilterTest {};

std::vector<std::string> LoggedLines;

}  // namespace

TEST_F(FilterLibrary, LoadsByBaseNameFromTheProgramDirectoryOnlyAndRefusesOtherNames) {
  const std::string program = ProgramDirectory();
  ASSERT_FALSE(program.empty());
  for (const std::string& name : std::vector<std::string>{
           "NITEXT", "nitext", "NITEXT.DLL", "NiText.So", program + "/NITEXT",
           program + "/../" + std::filesystem::path(program).filename().string() + "/nitext.dll"}) {
    HMODULE module = nullptr;
    IXENTRYPROC entry = nullptr;
    ASSERT_EQ(OSLoadLibrary(name.c_str(), 0, &module, &entry), NOERROR) << name;
    EXPECT_NE(module, nullptr) << name;
    EXPECT_NE(entry, nullptr) << name;
    EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_MODULE), 1u) << name;
    OSFreeLibrary(module);
    EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_MODULE), 0u) << name;
  }
  // A copy of a real filter outside the program directory, in the current directory and named by
  // a path, is never loaded.
  const std::filesystem::path copy = Dir() / "nitext.so";
  std::filesystem::copy_file(program + "/nitext.so", copy);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(Dir());
  struct TCase {
    std::string Name;
    STATUS Expected;
  } cases[] = {
      {copy.string(), ERR_NOTESRT_LIBRARY_DIRECTORY},
      {"./NITEXT", ERR_NOTESRT_LIBRARY_DIRECTORY},
      {"../NITEXT", ERR_NOTESRT_LIBRARY_DIRECTORY},
      {"/NITEXT", ERR_NOTESRT_LIBRARY_DIRECTORY},
      {"C:\\Notes\\NITEXT.DLL", ERR_NOTESRT_LIBRARY_DIRECTORY},
      {program + "\\NITEXT", ERR_NOTESRT_LIBRARY_DIRECTORY},
      {"NOSUCHFILTER", ERR_NOTESRT_LIBRARY_NOT_FOUND},
      {"NITEXT.txt", ERR_NOTESRT_LIBRARY_NOT_FOUND},
      {"", ERR_NOTESRT_LIBRARY_NOT_FOUND},
      {"..", ERR_NOTESRT_LIBRARY_NOT_FOUND},
      {".DLL", ERR_NOTESRT_LIBRARY_NOT_FOUND},
      {"ntestnoentry", ERR_NOTESRT_NO_ENTRY_POINT},
      {"NTESTDAMAGED.DLL", ERR_NOTESRT_LIBRARY_LOAD},
  };
  for (const TCase& c : cases) {
    HMODULE module = reinterpret_cast<HMODULE>(1);
    IXENTRYPROC entry = reinterpret_cast<IXENTRYPROC>(1);
    EXPECT_EQ(OSLoadLibrary(c.Name.c_str(), 0, &module, &entry), c.Expected) << c.Name;
    EXPECT_EQ(module, nullptr) << c.Name;
    EXPECT_EQ(entry, nullptr) << c.Name;
    EXPECT_FALSE(filtertest::StatusText(c.Expected).empty()) << c.Name;
  }
  std::filesystem::current_path(previous);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_MODULE), 0u);
  HMODULE module = nullptr;
  EXPECT_EQ(OSLoadLibrary(nullptr, 0, &module, nullptr), ERR_MISC_INVALID_ARGS);
}

// A stale handle changes nothing and is logged with its status's text; the last NotesTerm
// unloads what the program forgot.
TEST_F(FilterLibrary, StaleHandlesAreLoggedAndTermUnloadsTheRest) {
  LoggedLines.clear();
  NotesRTSetLogHandler([](const char* Line) { LoggedLines.emplace_back(Line); });
  HMODULE first = nullptr, second = nullptr;
  IXENTRYPROC entry = nullptr;
  ASSERT_EQ(OSLoadLibrary("NITEXT", 0, &first, &entry), NOERROR);
  ASSERT_EQ(OSLoadLibrary("NITEXT", 0, &second, &entry), NOERROR);
  EXPECT_NE(first, second);
  OSFreeLibrary(first);
  OSFreeLibrary(first);
  OSFreeLibrary(nullptr);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_MODULE), 1u);
  const std::string stale = "OSFreeLibrary: " + filtertest::StatusText(ERR_NOTESRT_STALE_MODULE);
  EXPECT_EQ(LoggedLines, (std::vector<std::string>{stale, stale}));
  NotesRTSetLogHandler(nullptr);
  NotesTerm();
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_MODULE), 0u);
  ASSERT_EQ(NotesInit(), NOERROR);
}
