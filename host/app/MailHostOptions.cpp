#include "MailHostOptions.h"

#include <unistd.h>

#include <string_view>

#include "Exception.h"

namespace {

const char* const PluginModule = "libVeskPlugInLNMail.so";

// The program lives in <build>/host and the plug-in modules in <build>/lib.
std::filesystem::path DefaultPluginFile() {
  std::error_code Error;
  std::filesystem::path Program = std::filesystem::read_symlink("/proc/self/exe", Error);
  if (Error) throw Exception("Cannot find the program's own path: " + Error.message());
  return Program.parent_path().parent_path() / "lib" / PluginModule;
}

// "lookup [TEXT] [--raw]": at most one text.
void ParseLookupArgument(std::string_view Arg, TMailHostOptions& Options, bool& HaveText) {
  if (Arg == "--raw") {
    Options.Raw = true;
    return;
  }
  if (Arg.rfind("--", 0) == 0)
    throw Exception("Unknown option " + std::string(Arg) + " for lookup");
  if (HaveText) throw Exception("lookup takes one search text; quote a text with blanks");
  Options.LookupText = Arg;
  HaveText = true;
}

}  // namespace

TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv) {
  TMailHostOptions Options;
  bool HaveText = false;
  for (int I = 1; I < Argc; ++I) {
    std::string_view Arg = Argv[I];
    if (Arg == "--help" || Arg == "-h") {
      Options.Help = true;
      continue;
    }
    if (Options.Command == "lookup") {
      ParseLookupArgument(Arg, Options, HaveText);
      continue;
    }
    if (Arg == "lookup") {
      Options.Command = Arg;
      continue;
    }
    if (Arg.rfind("--", 0) != 0) throw Exception("Unknown command " + std::string(Arg));
    if (Arg != "--env" && Arg != "--plugin") throw Exception("Unknown option " + std::string(Arg));
    if (I + 1 >= Argc || std::string_view(Argv[I + 1]).empty())
      throw Exception("Option " + std::string(Arg) + " needs an argument");
    if (Arg == "--env")
      Options.EnvDir = Argv[++I];
    else
      Options.PluginFile = Argv[++I];
  }
  if (Options.PluginFile.empty()) Options.PluginFile = DefaultPluginFile();
  return Options;
}

std::string MailHostUsage() {
  return "Usage: vesk-mail [--env DIR] [--plugin PATH] [lookup [TEXT] [--raw]]\n"
         "Loads the Notes mail plug-in the way the Vesk host does, registers it, reports what\n"
         "it registered and the state of its \"MailInterface\" service, then unloads it.\n"
         "\n"
         "  lookup [TEXT]  instead, asks the plug-in's address lookup for TEXT (\"Jo*\" for\n"
         "                 keys beginning with \"Jo\"; no TEXT or \"*\" for everybody) and\n"
         "                 prints one person per line: name, company and mail address\n"
         "  --raw          with lookup: print the four lines per person the host receives\n"
         "  --env DIR      use the Notes environment in DIR (DIR/notes.ini, DIR/data),\n"
         "                 creating it when missing\n"
         "  --plugin PATH  load this plug-in module instead of " +
         std::string(PluginModule) +
         "\n"
         "                 from the build's lib directory\n"
         "  --help         show this text\n"
         "\n"
         "Without --env the Notes settings come from NOTES_INI or $HOME/notes/data/notes.ini;\n"
         "when neither exists, vesk-mail makes its own environment in\n"
         "${XDG_DATA_HOME:-$HOME/.local/share}/vesk-mail.\n"
         "Exit status: 0 on success, 1 on failure (the error is written to stderr).\n";
}
