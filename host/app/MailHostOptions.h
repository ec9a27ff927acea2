#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The command line of vesk-mail: options, then an optional command with its arguments.
struct TMailHostOptions {
  bool Help = false;
  std::optional<std::filesystem::path> EnvDir;  // --env DIR
  std::filesystem::path PluginFile;             // --plugin PATH, else the build's plug-in
  // "" (load, report, unload), "lookup", "connect", "list", "send" or "route"
  std::string Command;
  std::string LookupText;  // lookup [TEXT]: "" asks for everybody
  bool Raw = false;        // lookup and list --raw: the host's lines as they come
  std::string Folder;      // list inbox|outbox|sent|drafts
  std::string SendTo;      // send --to
  std::string CopyTo;      // send --cc
  std::string Subject;     // send --subject
  std::string Text;        // send --text
};

// Raises Exception for an unknown option or command or a missing argument.
TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv);
std::string MailHostUsage();
