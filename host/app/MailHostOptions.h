#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The command line of vesk-mail: options, then an optional command with its arguments.
struct TMailHostOptions {
  bool Help = false;
  bool Log = false;      // --log: VESK.log in the XDG state folder
  bool Verbose = false;  // --verbose: every logged text and status change on stderr
  std::optional<std::filesystem::path> EnvDir;  // --env DIR
  std::filesystem::path PluginFile;             // --plugin PATH, else the build's plug-in
  std::string User;                             // --user NAME: act as that person
  // "" (load, report, unload), "lookup", "connect", "list", "show", "save", "send", "file",
  // "route", "dir" or "servers"; the desktop commands "open", "unc", "drives", "docinfo", "attm"
  // and "shortcut"
  std::string Command;
  std::string LookupText;                // lookup [TEXT]: "" asks for everybody
  bool Raw = false;                      // lookup, list and dir --raw: lines for scripts
  std::string Folder;                    // list inbox|outbox|sent|drafts
  std::string SendTo;                    // send --to
  std::string CopyTo;                    // send --cc
  std::string Subject;                   // send --subject
  std::string Text;                      // send --text
  std::vector<std::string> Urls;         // send --url, one paragraph each
  std::vector<uint32_t> Links;           // send --link: note IDs of the user's mail file
  std::string RtfFile;                   // send --rtf FILE: the body
  std::vector<std::string> AttachFiles;  // send --attach FILE, in order
  bool NoCopy = false;                   // send --no-copy
  bool Draft = false;                    // send --draft: filed among the drafts, not sent
  std::string AttachmentName;            // save ID NAME
  bool AllAttachments = false;           // save ID --all
  std::filesystem::path SaveDir;         // save ... [DIR]: "" is the current directory
  bool Force = false;                    // save --force: existing files are overwritten
  uint32_t NoteID = 0;                   // show, save, file ID: a note ID as list --raw prints it
  bool Records = false;                  // show --records
  bool Rtf = false;                      // show --rtf: the body's RTF lines as the host gets them
  std::string Server;                    // dir [SERVER]: "" or "Local" for this machine
  std::string Path;                      // dir [SERVER] [PATH]
  bool Templates = false;                // dir --templates
  bool SubDirs = false;                  // dir --dirs
  std::string Port;                      // servers [PORT]
  std::string OpenFile;                  // open FILE|URL [PARAMS]
  std::string OpenParams;
  // unc PATH... [--local-as-unc]; docinfo FILE... [--raw]; attm PATH...
  std::vector<std::string> Paths;
  bool LocalAsUNC = false;
  std::string UriListFile;                   // attm --uri-list FILE|-
  std::string DropUrl;                       // attm --url URL
  std::string TextFile;                      // attm --text FILE|-
  std::optional<std::string> SplitLocation;  // attm --split LOCATION
  std::string Descr;                         // attm --split ... --descr TEXT
  std::string ShortcutUrl;                   // shortcut URL
  std::string ShortcutName;                  // shortcut --name NAME
  std::string ShortcutDir;                   // shortcut --dir DIR
};

// Commands that use the desktop units only: neither the plug-in nor the Notes settings.
bool IsDesktopCommand(const std::string& Command);

// Raises Exception for an unknown option or command or a missing argument.
TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv);
std::string MailHostUsage();
