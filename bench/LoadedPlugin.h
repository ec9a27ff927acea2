#pragma once

#include "ApplicationServices.h"
#include "Customintf.h"
#include "PackageLoader.h"

// The plug-in module loaded and registered with the command-line host's services, its mail
// service at hand; unregistered and unloaded at the end.
class TLoadedPlugin {
 public:
  TLoadedPlugin();
  ~TLoadedPlugin();
  TLoadedPlugin(const TLoadedPlugin&) = delete;
  TLoadedPlugin& operator=(const TLoadedPlugin&) = delete;

  TInterfaceRef<IMailInterface> Mail;

 private:
  TApplicationServices FServices;
  TPackage FPackage;
};
