#pragma once

#include <string>
#include <vector>

#include "Customintf.h"
#include "Hlxintf.h"

class ThlxVisualPlugin;

// A fake of the host's application services that records every call a plug-in makes, in
// order, and counts the references it hands out. It can leave out the service registry.
class TRecordingFramework : public IPluginRegistry,
                            public IServiceRegistry,
                            public IMainAppService {
 public:
  explicit TRecordingFramework(bool HasServiceRegistry = true)
      : FHasServiceRegistry(HasServiceRegistry) {}

  IInterface* AsInterface() { return static_cast<IPluginRegistry*>(this); }

  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override;
  int32_t _AddRef() override { return ++References; }
  int32_t _Release() override { return --References; }

  void RegisterPlugin(ThlxVisualPlugin* APlugin) override;
  void UnRegisterPlugin(ThlxVisualPlugin* APlugin) override;
  void RegisterCommand(ThlxVisualPlugin* APlugin, IInterface* Command) override;
  void RegisterService(const std::string& Name, IInterface* AService) override;
  IInterface* FindService(const std::string& Name) override;
  std::string GetApplicationName() override { return "recording framework"; }
  void ShowStatus(const std::string& Text) override { Calls.push_back("ShowStatus " + Text); }

  std::vector<std::string> Calls;
  int References = 0;
  ThlxVisualPlugin* Plugin = nullptr;
  IInterface* Service = nullptr;

 private:
  bool FHasServiceRegistry;
};
