// vesk-mail: loads the mail plug-in module the way the Vesk host does and reports what it
// registered.
#include <iostream>

#include "ApplicationServices.h"
#include "Customintf.h"
#include "Exception.h"
#include "Hlxvisualclasses.h"
#include "MailHostEnvironment.h"
#include "MailHostOptions.h"
#include "PackageLoader.h"

namespace {

const char* const MailServiceName = "MailInterface";

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

void ReportMailService(TApplicationServices& Services) {
  IInterface* Service = Services.FindService(MailServiceName);
  if (!Service) throw Exception("The plug-in registered no service \"MailInterface\"");
  TInterfaceRef<IMailInterface> Mail = InterfaceCast<IMailInterface>(Service);
  std::cout << MailServiceName << ": IsConnected = " << (Mail->IsConnected() ? "true" : "false")
            << "\n";
}

// UnRegister runs whether or not Register got through: the plug-in object it created stays
// until UnRegister frees it.
void RegisterAndReport(TPackage& Package, TApplicationServices& Services) {
  try {
    Package.Register();
    ReportRegistrations(Services);
    ReportMailService(Services);
  } catch (...) {
    Services.ReleaseRegistrations();
    Package.UnRegister();
    throw;
  }
  Services.ReleaseRegistrations();
  Package.UnRegister();
  std::cout << "plug-in unregistered\n";
}

void Run(const TMailHostOptions& Options) {
  std::cout << "Notes settings: " << PrepareNotesEnvironment(Options.EnvDir).string() << "\n";
  TApplicationServices Services;
  TPublication Publication(static_cast<IPluginRegistry*>(&Services));
  TPackage Package(Options.PluginFile);
  std::cout << "plug-in module loaded: " << Package.FileName().string() << "\n";
  RegisterAndReport(Package, Services);
  Package.Unload();
  std::cout << "plug-in module unloaded\n";
}

}  // namespace

int main(int Argc, char** Argv) {
  try {
    TMailHostOptions Options = ParseMailHostOptions(Argc, Argv);
    if (Options.Help) {
      std::cout << MailHostUsage();
      return 0;
    }
    Run(Options);
    return 0;
  } catch (const std::exception& Error) {
    std::cerr << "vesk-mail: " << Error.what() << "\n";
    return 1;
  }
}
