#include "MailHostOptions.h"

#include <unistd.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "Exception.h"
#include "SysUtils.h"

namespace {

const char* const PluginModule = "libVeskPlugInLNMail.so";
const std::vector<std::string_view> Commands = {
    "lookup", "connect", "list", "show", "save",   "send",    "file", "route",
    "dir",    "servers", "open", "unc",  "drives", "docinfo", "attm", "shortcut"};
const std::vector<std::string_view> DesktopCommands = {"open",    "unc",  "drives",
                                                       "docinfo", "attm", "shortcut"};
const std::vector<std::string_view> Folders = {"inbox", "outbox", "sent", "drafts"};

// Installed, the plug-in folder lies at a fixed place relative to the program's folder; in a
// build tree the program lives in <build>/host and the plug-in modules in <build>/lib.
std::filesystem::path DefaultPluginFile() {
  std::error_code Error;
  std::filesystem::path Program = std::filesystem::read_symlink("/proc/self/exe", Error);
  if (Error) throw Exception("Cannot find the program's own path: " + Error.message());
  std::filesystem::path Installed = Program.parent_path() / VESK_PLUGIN_DIR_FROM_BIN / PluginModule;
  if (std::filesystem::exists(Installed, Error)) return Installed.lexically_normal();
  return Program.parent_path().parent_path() / "lib" / PluginModule;
}

bool IsOption(std::string_view Arg) {
  return Arg.rfind("--", 0) == 0;
}

bool IsOneOf(std::string_view Arg, const std::vector<std::string_view>& Names) {
  for (std::string_view Name : Names)
    if (Arg == Name) return true;
  return false;
}

// The argument after option I; raises when there is none.
std::string OptionValue(int Argc, const char* const* Argv, int& I) {
  if (I + 1 >= Argc) throw Exception("Option " + std::string(Argv[I]) + " needs an argument");
  return Argv[++I];
}

// A note ID as list --raw prints it: decimal digits.
uint32_t NoteIDOf(std::string_view Arg) {
  uint32_t ID = 0;
  for (char Digit : Arg) {
    if (Digit < '0' || Digit > '9' || ID > (UINT32_MAX - static_cast<uint32_t>(Digit - '0')) / 10)
      throw Exception("Not a mail ID: " + std::string(Arg) + " (the decimal ID list --raw prints)");
    ID = ID * 10 + static_cast<uint32_t>(Digit - '0');
  }
  if (Arg.empty()) throw Exception("A mail ID is empty");
  return ID;
}

// A command's own arguments, one at a time: Arg is Argv[I].
class TCommandParser {
 public:
  explicit TCommandParser(TMailHostOptions& Options) : FOptions(Options) {}

  void Parse(int Argc, const char* const* Argv, int& I) {
    std::string_view Arg = Argv[I];
    const std::string& Command = FOptions.Command;
    if (Command == "open" && FHaveWord) {
      Word(Arg);  // the parameters may look like options
    } else if (Arg == "--raw" && (Command == "lookup" || Command == "list" || Command == "dir" ||
                                  Command == "docinfo")) {
      FOptions.Raw = true;
    } else if (Command == "dir" && (Arg == "--templates" || Arg == "--dirs")) {
      (Arg == "--templates" ? FOptions.Templates : FOptions.SubDirs) = true;
    } else if (Arg == "--local-as-unc" && Command == "unc") {
      FOptions.LocalAsUNC = true;
    } else if (Arg == "--records" && Command == "show") {
      FOptions.Records = true;
    } else if (Arg == "--rtf" && Command == "show") {
      FOptions.Rtf = true;
    } else if (Command == "save" && (Arg == "--all" || Arg == "--force")) {
      (Arg == "--all" ? FOptions.AllAttachments : FOptions.Force) = true;
    } else if (Command == "send" && IsOption(Arg)) {
      SendOption(Argc, Argv, I);
    } else if ((Command == "attm" || Command == "shortcut") && IsOption(Arg)) {
      DropOption(Argc, Argv, I);
    } else if (IsOption(Arg)) {
      throw Exception("Unknown option " + std::string(Arg) + " for " + Command);
    } else {
      Word(Arg);
    }
  }

  void Finish() {
    SaveWords();
    if (FOptions.Command == "list" && FOptions.Folder.empty())
      throw Exception("list needs a folder: inbox, outbox, sent or drafts");
    if ((FOptions.Command == "show" || FOptions.Command == "save" || FOptions.Command == "file") &&
        !FHaveWord)
      throw Exception(FOptions.Command + " needs the ID of a mail (as list --raw prints it)");
    if (FOptions.Command == "save" && !FOptions.AllAttachments && FOptions.AttachmentName.empty())
      throw Exception("save needs the name of an attachment, or --all");
    if (FOptions.Command == "save" && FOptions.AllAttachments && FOptions.Force)
      throw Exception("save --all writes only files that do not exist yet; --force is for one");
    if (FOptions.Command == "file" && FOptions.Folder.empty())
      throw Exception("file needs a folder: inbox, sent or drafts");
    if (FOptions.Command == "send" && !FOptions.Text.empty() + !FOptions.RtfFile.empty() > 1)
      throw Exception("send takes --text or --rtf, not both");
    if (FOptions.Command == "send" && !FOptions.RtfFile.empty() &&
        !(FOptions.Urls.empty() && FOptions.Links.empty()))
      throw Exception("send --url and --link go with --text, not with --rtf");
    if (FOptions.Command == "send" && !FOptions.Draft && FOptions.SendTo.empty() &&
        FOptions.CopyTo.empty())
      throw Exception("send needs --to or --cc");
    if (FOptions.Command == "open" && FOptions.OpenFile.empty())
      throw Exception("open needs a file or URL; vesk-mail --help lists the commands");
    if ((FOptions.Command == "unc" || FOptions.Command == "docinfo") && FOptions.Paths.empty())
      throw Exception(FOptions.Command +
                      " needs at least one path; vesk-mail --help lists the commands");
    if (FOptions.Command == "attm") CheckDrop();
    if (FOptions.Command == "shortcut" && FOptions.ShortcutUrl.empty())
      throw Exception("shortcut needs a URL; vesk-mail --help lists the commands");
  }

 private:
  // --to and --cc add up, as names separated by commas do, and --url and --link repeat; --subject
  // and --text are given once.
  void SendOption(int Argc, const char* const* Argv, int& I) {
    const std::string Arg = Argv[I];
    if (Arg == "--url") {
      FOptions.Urls.push_back(OptionValue(Argc, Argv, I));
      return;
    }
    if (Arg == "--link") {
      FOptions.Links.push_back(NoteIDOf(OptionValue(Argc, Argv, I)));
      return;
    }
    if (Arg == "--attach") {
      FOptions.AttachFiles.push_back(OptionValue(Argc, Argv, I));
      return;
    }
    if (Arg == "--no-copy" || Arg == "--draft") {
      (Arg == "--draft" ? FOptions.Draft : FOptions.NoCopy) = true;
      return;
    }
    if (Arg == "--to" || Arg == "--cc") {
      std::string& Names = Arg == "--to" ? FOptions.SendTo : FOptions.CopyTo;
      Names += (Names.empty() ? "" : ", ") + OptionValue(Argc, Argv, I);
      return;
    }
    std::string* Target = Arg == "--subject" ? &FOptions.Subject
                          : Arg == "--text"  ? &FOptions.Text
                          : Arg == "--rtf"   ? &FOptions.RtfFile
                                             : nullptr;
    if (!Target) throw Exception("Unknown option " + Arg + " for send");
    if (!FGiven.insert(Arg).second) throw Exception("Option " + Arg + " is given twice");
    *Target = OptionValue(Argc, Argv, I);
  }

  // attm --uri-list, --url, --text, --split and --descr; shortcut --name and --dir. Each is given
  // once.
  void DropOption(int Argc, const char* const* Argv, int& I) {
    const std::string Arg = Argv[I];
    std::string Split;
    std::vector<std::pair<std::string_view, std::string*>> Targets = {
        {"--name", &FOptions.ShortcutName}, {"--dir", &FOptions.ShortcutDir}};
    if (FOptions.Command == "attm")
      Targets = {{"--uri-list", &FOptions.UriListFile},
                 {"--url", &FOptions.DropUrl},
                 {"--text", &FOptions.TextFile},
                 {"--split", &Split},
                 {"--descr", &FOptions.Descr}};
    auto Target = std::find_if(Targets.begin(), Targets.end(),
                               [&](const auto& Option) { return Option.first == Arg; });
    if (Target == Targets.end())
      throw Exception("Unknown option " + Arg + " for " + FOptions.Command);
    if (!FGiven.insert(Arg).second) throw Exception("Option " + Arg + " is given twice");
    *Target->second = OptionValue(Argc, Argv, I);
    if (Target->second->empty() && Arg != "--descr")
      throw Exception("Option " + Arg + " needs an argument");
    if (Arg == "--split") FOptions.SplitLocation = Split;
  }

  // A drop is files, a URL or text; --split takes a stored reference instead of a drop.
  void CheckDrop() {
    const int Kinds = (!FOptions.Paths.empty() || !FOptions.UriListFile.empty()) +
                      !FOptions.DropUrl.empty() + !FOptions.TextFile.empty();
    if (FOptions.SplitLocation && Kinds > 0)
      throw Exception("attm --split takes a stored reference, not a drop");
    if (!FOptions.SplitLocation && FGiven.count("--descr"))
      throw Exception("attm --descr goes with --split");
    if (!FOptions.SplitLocation && Kinds == 0)
      throw Exception(
          "attm needs files, --uri-list, --url, --text or --split; vesk-mail --help "
          "lists the commands");
    if (Kinds > 1)
      throw Exception("attm takes one kind of drop: files (and --uri-list), --url or --text");
  }

  // save ID NAME [DIR], or save ID --all [DIR].
  void SaveWords() {
    if (FOptions.Command != "save") return;
    size_t next = 0;
    if (!FOptions.AllAttachments && next < FSaveWords.size())
      FOptions.AttachmentName = FSaveWords[next++];
    if (next < FSaveWords.size()) FOptions.SaveDir = FSaveWords[next++];
    if (next < FSaveWords.size())
      throw Exception("Unexpected argument " + FSaveWords[next] + " for save --all");
  }

  void Word(std::string_view Arg) {
    const std::string& Command = FOptions.Command;
    if (Command == "dir" && FWords < 2) {
      (FWords++ == 0 ? FOptions.Server : FOptions.Path) = Arg;
      return;
    }
    if (Command == "servers" && FWords++ == 0) {
      FOptions.Port = Arg;
      return;
    }
    if (Command == "lookup" && !FHaveWord) {
      FOptions.LookupText = Arg;
    } else if (Command == "list" && !FHaveWord) {
      const std::string Folder = LowerCase(std::string(Arg));
      if (!IsOneOf(Folder, Folders))
        throw Exception("Unknown folder " + std::string(Arg) + ": inbox, outbox, sent or drafts");
      FOptions.Folder = Folder;
    } else if ((Command == "show" || Command == "save" || Command == "file") && !FHaveWord) {
      FOptions.NoteID = NoteIDOf(Arg);
    } else if (Command == "save" && FSaveWords.size() < 2) {
      FSaveWords.emplace_back(Arg);
      return;
    } else if (Command == "file" && FOptions.Folder.empty()) {
      const std::string Folder = LowerCase(std::string(Arg));
      if (Folder != "inbox" && Folder != "sent" && Folder != "drafts")
        throw Exception("Unknown folder " + std::string(Arg) + " for file: inbox, sent or drafts");
      FOptions.Folder = Folder;
      return;
    } else if (Command == "open" && !FHaveWord) {
      FOptions.OpenFile = Arg;
    } else if (Command == "open" && !FHaveParams) {
      FOptions.OpenParams = Arg;
      FHaveParams = true;
    } else if (Command == "shortcut" && !FHaveWord) {
      if (Arg.empty()) throw Exception("shortcut needs a URL, not an empty text");
      FOptions.ShortcutUrl = Arg;
    } else if (Command == "unc" || Command == "docinfo" || Command == "attm") {
      if (Arg.empty()) throw Exception(Command + " needs a path, not an empty text");
      FOptions.Paths.emplace_back(Arg);
    } else if (Command == "lookup") {
      throw Exception("lookup takes one search text; quote a text with blanks");
    } else if (Command == "open") {
      throw Exception("open takes one text of parameters; quote parameters with blanks");
    } else {
      throw Exception("Unexpected argument " + std::string(Arg) + " for " + Command);
    }
    FHaveWord = true;
  }

  TMailHostOptions& FOptions;
  bool FHaveWord = false;
  bool FHaveParams = false;
  std::set<std::string> FGiven;
  std::vector<std::string> FSaveWords;
  int FWords = 0;
};

}  // namespace

bool IsDesktopCommand(const std::string& Command) {
  return IsOneOf(Command, DesktopCommands);
}

TMailHostOptions ParseMailHostOptions(int Argc, const char* const* Argv) {
  TMailHostOptions Options;
  TCommandParser CommandParser(Options);
  for (int I = 1; I < Argc; ++I) {
    std::string_view Arg = Argv[I];
    if (Arg == "--help" || Arg == "-h") {
      Options.Help = true;
    } else if (!Options.Command.empty()) {
      CommandParser.Parse(Argc, Argv, I);
    } else if (IsOneOf(Arg, Commands)) {
      Options.Command = Arg;
    } else if (!IsOption(Arg)) {
      throw Exception("Unknown command " + std::string(Arg) + "; vesk-mail --help lists them");
    } else if (Arg == "--log") {
      Options.Log = true;
    } else if (Arg == "--verbose") {
      Options.Verbose = true;
    } else if (Arg == "--env" || Arg == "--plugin" || Arg == "--user") {
      std::string Value = OptionValue(Argc, Argv, I);
      if (Value.empty()) throw Exception("Option " + std::string(Arg) + " needs an argument");
      if (Arg == "--env")
        Options.EnvDir = Value;
      else if (Arg == "--plugin")
        Options.PluginFile = Value;
      else
        Options.User = Value;
    } else {
      throw Exception("Unknown option " + std::string(Arg) + "; vesk-mail --help lists them");
    }
  }
  if (!Options.Help) CommandParser.Finish();
  if (Options.PluginFile.empty()) Options.PluginFile = DefaultPluginFile();
  return Options;
}

std::string MailHostUsage() {
  return "Usage: vesk-mail [--env DIR] [--plugin PATH] [--user NAME] [--log] [--verbose]\n"
         "                 [COMMAND]\n"
         "Loads the Notes mail plug-in the way the Vesk host does and registers it. Without a\n"
         "command it reports what the plug-in registered and the state of its\n"
         "\"MailInterface\" service, then unloads it.\n"
         "\n"
         "Commands:\n"
         "  connect        connects the plug-in to the user's mail file and tells which\n"
         "                 (on the mail server, or the local replica when the server cannot\n"
         "                 be reached)\n"
         "  list FOLDER [--raw]\n"
         "                 lists the mails of inbox, outbox, sent or drafts (in any case)\n"
         "                 as a table;\n"
         "                 --raw prints the host's lines (ID|date|from|to|subject|attachments)\n"
         "  show ID [--records]\n"
         "                 prints the mail ID (as list --raw prints it) of the user's mail\n"
         "                 file: its header, its body as text, its attachments and the links\n"
         "                 in its body; --records also lists the rich-text records of the body\n"
         "  show ID --rtf   prints the body's RTF lines exactly as the host gets them\n"
         "  save ID NAME [DIR] [--force] | save ID --all [DIR]\n"
         "                 saves the attachment NAME (as show lists it), or every one, into\n"
         "                 DIR (default: the current directory) and prints each path; an\n"
         "                 existing file is kept unless --force is given\n"
         "  send --to NAMES [--cc NAMES] [--subject TEXT] (--text TEXT | --rtf FILE)\n"
         "       [--attach FILE]... [--no-copy] [--draft] [--url URL]... [--link ID]...\n"
         "                 sends a mail through the plug-in and the mail server's MAIL.BOX,\n"
         "                 keeping a copy in the sent mails unless --no-copy; --draft files\n"
         "                 it among the drafts instead. NAMES are separated by commas, and\n"
         "                 --to, --cc and --attach may be given several times. With --url or\n"
         "                 --link the body is rich text: the text, then a paragraph with each\n"
         "                 URL and one with a document link to each mail ID of the user's mail\n"
         "                 file\n"
         "  file ID inbox|sent|drafts\n"
         "                 files a copy of the mail ID into a folder, as the host does: read,\n"
         "                 its attachments saved to a private folder, stored anew\n"
         "  route          runs one pass of the mail router on the mail server and prints\n"
         "                 how many mails it delivered\n"
         "  lookup [TEXT] [--raw]\n"
         "                 asks the plug-in's address lookup for TEXT (\"Jo*\" for keys\n"
         "                 beginning with \"Jo\"; no TEXT or \"*\" for everybody) and prints one\n"
         "                 person per line: name, company and mail address; --raw prints the\n"
         "                 four lines per person the host receives\n"
         "  dir [SERVER] [PATH] [--templates] [--dirs] [--raw]\n"
         "                 lists the databases of a data directory (this machine, or\n"
         "                 SERVER's; \"Local\" is this machine) with their titles;\n"
         "                 --templates lists templates instead, --dirs adds the folders;\n"
         "                 --raw prints title|kind|info|path lines\n"
         "  servers [PORT]  lists \"Local\" and the servers known (on PORT)\n"
         "\n"
         "Desktop commands (they need neither the plug-in nor Notes settings):\n"
         "  open FILE|URL [PARAMS]\n"
         "                 opens a document or URL with the desktop's default program, or\n"
         "                 starts a program with PARAMS; prints the result code and its\n"
         "                 meaning (42 opened, 2 file missing, 3 folder missing, 5 access\n"
         "                 denied, 31 no program handles it)\n"
         "  unc PATH... [--local-as-unc]\n"
         "                 prints the network (UNC) name of each path: \\\\server\\share\\...\n"
         "                 for files on cifs, smb3 and nfs mounts, the path itself otherwise\n"
         "  drives         lists the network mounts as \\\\SERVER\\SHARE=/mount/point\n"
         "  docinfo FILE... [--raw]\n"
         "                 prints the summary properties (author, title, subject, last author,\n"
         "                 template, last saved) of compound documents (.doc, .xls, .ppt)\n"
         "  attm [PATH...] [--uri-list FILE|-] | attm --url URL | attm --text FILE|-\n"
         "                 drops files (PATHs, and a text/uri-list as a file manager sends\n"
         "                 it), a URL or text (\"-\" reads standard input) on the host the way\n"
         "                 a Linux desktop delivers them, and prints the attachment references\n"
         "                 made of the drop: kind, location and description, separated by tabs\n"
         "  attm --split LOCATION [--descr TEXT]\n"
         "                 prints how a stored reference splits into path, file name and title\n"
         "  shortcut URL [--name NAME] [--dir DIR]\n"
         "                 writes the internet shortcut (NAME.url, \"URL Link.url\" without a\n"
         "                 name) a file manager makes of a dragged URL into DIR (default: the\n"
         "                 current directory) and prints its path; an existing file is kept\n"
         "\n"
         "Options:\n"
         "  --env DIR      use the Notes environment in DIR (DIR/notes.ini), making the demo\n"
         "                 environment there when it has none\n"
         "  --plugin PATH  load this plug-in module instead of " +
         std::string(PluginModule) +
         "\n"
         "                 from the build's lib directory\n"
         "  --user NAME    act as the person NAME of the mail server's directory: their\n"
         "                 name, mail server and mail file, for this run only\n"
         "  --log          log every command's start and outcome to VESK.log in\n"
         "                 ${XDG_STATE_HOME:-$HOME/.local/state}/vesk\n"
         "  --verbose      show every logged text, and each status change on its own line,\n"
         "                 on stderr\n"
         "  --help         show this text\n"
         "\n"
         "Without --env the Notes settings come from NOTES_INI or $HOME/notes/data/notes.ini;\n"
         "when neither exists, vesk-mail makes a demo Notes environment (a mail server with ten\n"
         "people and sample mails) in ${XDG_DATA_HOME:-$HOME/.local/share}/vesk-mail once and\n"
         "uses it from then on.\n"
         "Exit status: 0 on success; 1 on failure (the error is written to stderr); 2 when the\n"
         "command was done but met problems on the way, each written to stderr (a mail that\n"
         "could not be read and was left out, a damaged file repaired or set aside).\n";
}
