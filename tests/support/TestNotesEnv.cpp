#include "TestNotesEnv.h"

#include <stdlib.h>

#include <fstream>

#include "notesapi/notesrt.h"

namespace vesktest {

TestNotesEnv::TestNotesEnv(const std::map<std::string, std::string>& extraSettings) {
  std::filesystem::create_directories(DataDir());
  std::ofstream ini(IniFile());
  ini << "[Notes]\n";
  ini << "Directory=" << DataDir().string() << "\n";
  for (const auto& [key, value] : extraSettings) ini << key << "=" << value << "\n";
  ini.close();
  if (const char* old = getenv(NOTESRT_INI_ENV)) FOldIni = old;
  setenv(NOTESRT_INI_ENV, IniFile().c_str(), 1);
}

TestNotesEnv::~TestNotesEnv() {
  if (FOldIni)
    setenv(NOTESRT_INI_ENV, FOldIni->c_str(), 1);
  else
    unsetenv(NOTESRT_INI_ENV);
}

}  // namespace vesktest
