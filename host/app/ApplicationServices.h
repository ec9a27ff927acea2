#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Customintf.h"
#include "Hlxintf.h"

class ThlxVisualPlugin;

// The application-services object of the command-line host: the plug-in and service
// registries and the main application service in one object, recording what plug-ins
// register. It lives for the whole run of the host, so it counts no references.
class TApplicationServices : public IPluginRegistry,
                             public IServiceRegistry,
                             public IMainAppService {
 public:
  struct TService {
    std::string Name;
    TInterfaceRef<IInterface> Object;
  };

  TApplicationServices() = default;
  TApplicationServices(const TApplicationServices&) = delete;
  TApplicationServices& operator=(const TApplicationServices&) = delete;

  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override;
  int32_t _AddRef() override { return -1; }
  int32_t _Release() override { return -1; }

  void RegisterPlugin(ThlxVisualPlugin* Plugin) override;
  void UnRegisterPlugin(ThlxVisualPlugin* Plugin) override;
  void RegisterCommand(ThlxVisualPlugin* Plugin, IInterface* Command) override;

  void RegisterService(const std::string& Name, IInterface* Service) override;
  IInterface* FindService(const std::string& Name) override;

  std::string GetApplicationName() override { return "vesk-mail"; }
  void ShowStatus(const std::string& Text) override;

  const std::vector<ThlxVisualPlugin*>& Plugins() const { return FPlugins; }
  size_t CommandCount() const { return FCommandCount; }
  const std::vector<TService>& Services() const { return FServices; }
  // Lets go of everything plug-ins registered; the host does this before UnRegister frees
  // the objects, since UnRegister makes no call back.
  void ReleaseRegistrations();

 private:
  std::vector<ThlxVisualPlugin*> FPlugins;
  size_t FCommandCount = 0;
  std::vector<TService> FServices;
};
