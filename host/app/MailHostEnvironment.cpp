#include "MailHostEnvironment.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include "Exception.h"
#include "TDemoEnvironment.h"
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

// The demo environment, made when the folder has no complete Notes settings; existing settings
// are kept as they are.
std::filesystem::path ProvideEnvironment(const std::filesystem::path& Folder) {
  TDemoEnvironment Demo(Folder, std::cerr);
  Demo.Provide();
  setenv(NOTESRT_INI_ENV, Demo.IniFile().c_str(), 1);
  return Demo.IniFile();
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
