#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The command line of vesk-mail: options, then an optional command with its arguments.
struct TMailHostOptions {
  bool Help = false;
  std::optional<std::filesystem::path> EnvDir;  // --env DIR
  std::filesystem::path PluginFile;             // --plugin PATH, else the build's plug-in
  std::string Command;                          // "" (load, report, unload) or "lookup"
  std::string LookupText;                       // lookup [TEXT]: "" asks for everybody
  bool Raw = false;                             // lookup --raw: the host's lines as they come
};

// Raises Exception for an unknown option or a missing argument.
TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv);
std::string MailHostUsage();
