#include "LoadedPlugin.h"

#include <cstdlib>

TLoadedPlugin::TLoadedPlugin() : FPackage(VESK_PLUGIN_MODULE) {
  ApplicationServices = static_cast<IPluginRegistry*>(&FServices);
  FPackage.Register();
  Mail = InterfaceCast<IMailInterface>(FServices.FindService("MailInterface"));
  if (!Mail) std::abort();
}

TLoadedPlugin::~TLoadedPlugin() {
  Mail.Reset();
  FServices.ReleaseRegistrations();
  FPackage.UnRegister();
  ApplicationServices = nullptr;
}
