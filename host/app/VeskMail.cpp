// vesk-mail: loads the mail plug-in module the way the Vesk host does and reports what it
// registered, or runs one command against its mail service.
#include <iostream>
#include <memory>

#include "AddressListText.h"
#include "ApplicationServices.h"
#include "Customintf.h"
#include "DesktopCommands.h"
#include "DesktopHost.h"
#include "DirectoryCommands.h"
#include "DirectoryUser.h"
#include "DropCommands.h"
#include "Exception.h"
#include "Hlxvisualclasses.h"
#include "MailCommands.h"
#include "MailHostEnvironment.h"
#include "MailHostOptions.h"
#include "MailMessageCommands.h"
#include "MailShow.h"
#include "PackageLoader.h"
#include "RunProblems.h"
#include "StringList.h"
#include "TNotesSessionScope.h"
#include "VeskExceptions.h"

namespace {

const char* const MailServiceName = "MailInterface";
// The command did its work, and said on stderr what went wrong on the way.
constexpr int ExitWithProblems = 2;

// Publishes the host's services to the plug-ins for as long as it lives.
class TPublication {
 public:
  explicit TPublication(IInterface* Services) { ApplicationServices = Services; }
  ~TPublication() { ApplicationServices = nullptr; }
  TPublication(const TPublication&) = delete;
  TPublication& operator=(const TPublication&) = delete;
};

void ReportRegistrations(const TApplicationServices& Services) {
  for (const ThlxVisualPlugin* Plugin : Services.Plugins())
    std::cout << "plug-in \"" << Plugin->Name() << "\" (" << Plugin->ClassName()
              << ") registered, Version " << Plugin->Version() << "\n";
  std::cout << "commands registered: " << Services.CommandCount() << "\n";
  for (const auto& Service : Services.Services())
    std::cout << "service \"" << Service.Name << "\" registered\n";
}

TInterfaceRef<IMailInterface> MailService(TApplicationServices& Services) {
  IInterface* Service = Services.FindService(MailServiceName);
  if (!Service) throw Exception("The plug-in registered no service \"MailInterface\"");
  return InterfaceCast<IMailInterface>(Service);
}

void ReportMailService(TApplicationServices& Services) {
  TInterfaceRef<IMailInterface> Mail = MailService(Services);
  std::cout << MailServiceName << ": IsConnected = " << (Mail->IsConnected() ? "true" : "false")
            << "\n";
}

// The lines the host would get for the search text; the list is the host's to free.
void LookUpAddresses(IMailInterface& Mail, const TMailHostOptions& Options) {
  TStringList* Found = nullptr;
  std::unique_ptr<TStringList> Owned;
  try {
    Mail.GetAddressItems(Options.LookupText, Found);
  } catch (...) {
    Owned.reset(Found);
    throw;
  }
  Owned.reset(Found);
  if (Owned && Owned->Count() > 0)
    WriteAddressList(*Owned, Options.Raw, std::cout);
  else if (Options.LookupText.empty() || Options.LookupText == "*")
    std::cerr << "vesk-mail: the address books list nobody\n";
  else
    std::cerr << "vesk-mail: nobody in the address books matches \"" << Options.LookupText
              << "\"\n";
}

// Body runs between Register and UnRegister. UnRegister runs whether or not Register got
// through: the plug-in object it created stays until UnRegister frees it.
template <class TBody>
void WhileRegistered(TPackage& Package, TApplicationServices& Services, TBody Body) {
  try {
    Package.Register();
    Body();
  } catch (...) {
    Services.ReleaseRegistrations();
    Package.UnRegister();
    throw;
  }
  Services.ReleaseRegistrations();
  Package.UnRegister();
}

// Without a command: what the plug-in registered, reported step by step.
void RunReport(const TMailHostOptions& Options) {
  const std::filesystem::path Settings = PrepareNotesEnvironment(Options.EnvDir);
  std::cout << "Notes settings: " << Settings.string() << "\n";
  TApplicationServices Services;
  TPublication Publication(static_cast<IPluginRegistry*>(&Services));
  TPackage Package(Options.PluginFile);
  std::cout << "plug-in module loaded: " << Package.FileName().string() << "\n";
  WhileRegistered(Package, Services, [&] {
    ReportRegistrations(Services);
    ReportMailService(Services);
  });
  std::cout << "plug-in unregistered\n";
  Package.Unload();
  std::cout << "plug-in module unloaded\n";
}

// Runs Body against the plug-in's mail service while the plug-in is registered. A command prints
// only its result, so that its output can be read by other programs.
template <class TBody>
void WithMailService(const TMailHostOptions& Options, TBody Body) {
  PrepareNotesEnvironment(Options.EnvDir);
  TNotesSessionScope Session;
  TRunProblems Problems;
  if (!Options.User.empty()) ActAsDirectoryUser(Options.User);
  TApplicationServices Services;
  TPublication Publication(static_cast<IPluginRegistry*>(&Services));
  TPackage Package(Options.PluginFile);
  WhileRegistered(Package, Services, [&] { Body(*MailService(Services).Get()); });
  Package.Unload();
}

// Commands that need only the object library, not the plug-in.
template <class TBody>
void WithNotes(const TMailHostOptions& Options, TBody Body) {
  PrepareNotesEnvironment(Options.EnvDir);
  TNotesSessionScope Session;
  TRunProblems Problems;
  if (!Options.User.empty()) ActAsDirectoryUser(Options.User);
  Body();
}

// Composed rich text (URLs, document links) is made by the object library; every other send
// goes through the plug-in as the host's does.
bool SendsThroughPlugin(const TMailHostOptions& Options) {
  return Options.Urls.empty() && Options.Links.empty() &&
         (!Options.RtfFile.empty() || !Options.AttachFiles.empty() || Options.NoCopy ||
          Options.Draft);
}

void RunCommand(const TMailHostOptions& Options) {
  const std::string& Command = Options.Command;
  if (Command == "open")
    OpenDocument(Options.OpenFile, Options.OpenParams, std::cout);
  else if (Command == "unc")
    PrintUNCNames(Options.Paths, Options.LocalAsUNC, std::cout);
  else if (Command == "drives")
    PrintDriveMappings(std::cout);
  else if (Command == "docinfo")
    PrintDocumentSummaries(Options.Paths, Options.Raw, std::cout);
  else if (Command == "attm" && Options.SplitLocation)
    PrintReferenceSplit(*Options.SplitLocation, Options.Descr, std::cout);
  else if (Command == "attm")
    PrintDropReferences(
        TDropInput{Options.Paths, Options.UriListFile, Options.DropUrl, Options.TextFile}, std::cin,
        std::cout);
  else if (Command == "shortcut")
    WriteUrlShortcut(Options.ShortcutUrl, Options.ShortcutName, Options.ShortcutDir, std::cout);
  else if (Command == "lookup")
    WithMailService(Options, [&](IMailInterface& Mail) { LookUpAddresses(Mail, Options); });
  else if (Command == "connect")
    WithMailService(Options, [&](IMailInterface& Mail) { ConnectMail(Mail, std::cout); });
  else if (Command == "list")
    WithMailService(Options, [&](IMailInterface& Mail) { ListMail(Mail, Options, std::cout); });
  else if (Command == "show" && Options.Records)
    WithNotes(Options, [&] { ShowMail(Options, std::cout); });
  else if (Command == "show")
    WithMailService(Options,
                    [&](IMailInterface& Mail) { ShowMailThroughPlugin(Mail, Options, std::cout); });
  else if (Command == "save")
    WithMailService(Options,
                    [&](IMailInterface& Mail) { SaveAttachments(Mail, Options, std::cout); });
  else if (Command == "file")
    WithMailService(Options, [&](IMailInterface& Mail) { FileMail(Mail, Options, std::cout); });
  else if (Command == "send" && SendsThroughPlugin(Options))
    WithMailService(Options,
                    [&](IMailInterface& Mail) { SendThroughPlugin(Mail, Options, std::cout); });
  else if (Command == "send")
    WithNotes(Options, [&] { SendMail(Options, std::cout); });
  else if (Command == "route")
    WithNotes(Options, [&] { RouteMail(std::cout); });
  else if (Command == "dir")
    WithNotes(Options, [&] { ListDirectory(Options, std::cout); });
  else if (Command == "servers")
    WithNotes(Options, [&] { ListServers(Options, std::cout); });
  else
    RunReport(Options);
}

// The command line as the log records it; words with blanks or quotes in single quotes.
std::string CommandLineText(int Argc, const char* const* Argv) {
  std::string Text = "vesk-mail";
  for (int I = 1; I < Argc; ++I) {
    std::string Arg = Argv[I];
    if (!Arg.empty() && Arg.find_first_of(" \t\r\n'\"") == std::string::npos) {
      Text += " " + Arg;
      continue;
    }
    Text += " '";
    for (char C : Arg) Text += C == '\'' ? std::string("'\\''") : std::string(1, C);
    Text += "'";
  }
  return Text;
}

void ReportError(const std::exception& Error) {
  std::cerr << "vesk-mail: " << Error.what() << "\n";
}

// A log line that cannot be written is reported, but changes no command's outcome.
void LogOutcome(const std::string& Text) {
  try {
    LogIt(Text, true);
  } catch (const std::exception& Error) {
    ReportError(Error);
  }
}

// Runs the command with the desktop units set up as the host sets them up, between a logged
// start line and a logged outcome line. The desktop commands' errors go to the application's
// exception handler.
int RunOnDesktop(const TMailHostOptions& Options, const std::string& CommandLine) {
  TDesktopHost Desktop("vesk-mail", Options.Verbose);
  const std::string Name = Options.Command.empty() ? "report" : Options.Command;
  try {
    if (Options.Log) Desktop.SwitchLogOn();
    LogIt("--- " + CommandLine, true);
  } catch (const std::exception& Error) {
    ReportError(Error);
    return 1;
  }
  try {
    RunCommand(Options);
  } catch (const std::exception& Error) {
    if (IsDesktopCommand(Options.Command))
      Desktop.HandleException(Error);
    else
      ReportError(Error);
    LogOutcome("!!! " + Name + ": " + Error.what());
    return 1;
  }
  if (TRunProblems::Any()) {
    LogOutcome("+++ " + Name + ": done, with problems");
    return ExitWithProblems;
  }
  LogOutcome("--- " + Name + ": done");
  return 0;
}

}  // namespace

int main(int Argc, char** Argv) {
  TMailHostOptions Options;
  try {
    Options = ParseMailHostOptions(Argc, Argv);
  } catch (const std::exception& Error) {
    ReportError(Error);
    return 1;
  }
  if (Options.Help) {
    std::cout << MailHostUsage();
    return 0;
  }
  return RunOnDesktop(Options, CommandLineText(Argc, Argv));
}
