#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The command line of vesk-mail.
struct TMailHostOptions {
  bool Help = false;
  std::optional<std::filesystem::path> EnvDir;  // --env DIR
  std::filesystem::path PluginFile;             // --plugin PATH, else the build's plug-in
};

// Raises Exception for an unknown option or a missing argument.
TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv);
std::string MailHostUsage();
