#include "MailHostEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "Exception.h"
#include "notesapi/notesrt.h"

namespace {

std::string EnvOrEmpty(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

std::filesystem::path Home() {
  std::string Home = EnvOrEmpty("HOME");
  if (Home.empty()) throw Exception("HOME is not set: cannot find the Notes settings");
  return Home;
}

std::filesystem::path DefaultFolder() {
  std::string DataHome = EnvOrEmpty("XDG_DATA_HOME");
  // Relative values are invalid by the XDG rules and are ignored.
  std::filesystem::path Base =
      DataHome.starts_with('/') ? std::filesystem::path(DataHome) : Home() / ".local" / "share";
  return Base / "vesk-mail";
}

// A data directory and a notes.ini naming it; an existing notes.ini is the user's and is kept.
std::filesystem::path ProvideEnvironment(const std::filesystem::path& Folder) {
  std::filesystem::path Root = std::filesystem::absolute(Folder);
  std::filesystem::create_directories(Root / "data");
  std::filesystem::path Ini = Root / "notes.ini";
  if (!std::filesystem::exists(Ini)) {
    std::ofstream File(Ini);
    File << "[Notes]\nDirectory=" << (Root / "data").string() << "\n";
    if (!File.flush()) throw Exception("Cannot write " + Ini.string());
  }
  setenv(NOTESRT_INI_ENV, Ini.c_str(), 1);
  return Ini;
}

}  // namespace

std::filesystem::path PrepareNotesEnvironment(const std::optional<std::filesystem::path>& EnvDir) {
  if (EnvDir) return ProvideEnvironment(*EnvDir);
  std::string Configured = EnvOrEmpty(NOTESRT_INI_ENV);
  if (!Configured.empty()) return Configured;
  std::filesystem::path UserIni = Home() / "notes" / "data" / "notes.ini";
  if (std::filesystem::exists(UserIni)) return UserIni;
  return ProvideEnvironment(DefaultFolder());
}
