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

  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override {
    Calls.push_back(std::string("QueryInterface ") + InterfaceName(Iid));
    if (AnswerInterface<IPluginRegistry>(this, Iid, Obj) ||
        (FHasServiceRegistry && AnswerInterface<IServiceRegistry>(this, Iid, Obj)) ||
        AnswerInterface<IMainAppService>(this, Iid, Obj))
      return S_OK;
    *Obj = nullptr;
    return E_NOINTERFACE;
  }
  int32_t _AddRef() override { return ++References; }
  int32_t _Release() override { return --References; }

  void RegisterPlugin(ThlxVisualPlugin* APlugin) override {
    Calls.push_back("RegisterPlugin");
    Plugin = APlugin;
  }
  void UnRegisterPlugin(ThlxVisualPlugin*) override { Calls.push_back("UnRegisterPlugin"); }
  void RegisterCommand(ThlxVisualPlugin* APlugin, IInterface* Command) override {
    std::string Of = APlugin == Plugin ? "" : " of another plug-in";
    Calls.push_back("RegisterCommand" + Of + (Command ? "" : " (no command object)"));
  }
  void RegisterService(const std::string& Name, IInterface* AService) override {
    Calls.push_back("RegisterService " + Name);
    Service = AService;
  }
  IInterface* FindService(const std::string& Name) override {
    Calls.push_back("FindService " + Name);
    return Service;
  }
  std::string GetApplicationName() override { return "recording framework"; }
  void ShowStatus(const std::string& Text) override { Calls.push_back("ShowStatus " + Text); }

  std::vector<std::string> Calls;
  int References = 0;
  ThlxVisualPlugin* Plugin = nullptr;
  IInterface* Service = nullptr;

 private:
  static const char* InterfaceName(const TGUID& Iid) {
    if (Iid == IPluginRegistry::IID) return "IPluginRegistry";
    if (Iid == IServiceRegistry::IID) return "IServiceRegistry";
    if (Iid == IMainAppService::IID) return "IMainAppService";
    if (Iid == IMailInterface::IID) return "IMailInterface";
    return "another interface";
  }

  bool FHasServiceRegistry;
};
