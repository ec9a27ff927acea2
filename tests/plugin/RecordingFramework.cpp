#include "RecordingFramework.h"

namespace {

const char* InterfaceName(const TGUID& Iid) {
  if (Iid == IPluginRegistry::IID) return "IPluginRegistry";
  if (Iid == IServiceRegistry::IID) return "IServiceRegistry";
  if (Iid == IMainAppService::IID) return "IMainAppService";
  if (Iid == IMailInterface::IID) return "IMailInterface";
  return "another interface";
}

}  // namespace

HRESULT TRecordingFramework::QueryInterface(const TGUID& Iid, void** Obj) {
  Calls.push_back(std::string("QueryInterface ") + InterfaceName(Iid));
  if (AnswerInterface<IPluginRegistry>(this, Iid, Obj) ||
      (FHasServiceRegistry && AnswerInterface<IServiceRegistry>(this, Iid, Obj)) ||
      AnswerInterface<IMainAppService>(this, Iid, Obj))
    return S_OK;
  *Obj = nullptr;
  return E_NOINTERFACE;
}

void TRecordingFramework::RegisterPlugin(ThlxVisualPlugin* APlugin) {
  Calls.push_back("RegisterPlugin");
  Plugin = APlugin;
}

void TRecordingFramework::UnRegisterPlugin(ThlxVisualPlugin*) {
  Calls.push_back("UnRegisterPlugin");
}

void TRecordingFramework::RegisterCommand(ThlxVisualPlugin* APlugin, IInterface* Command) {
  std::string Of = APlugin == Plugin ? "" : " of another plug-in";
  Calls.push_back("RegisterCommand" + Of + (Command ? "" : " (no command object)"));
}

void TRecordingFramework::RegisterService(const std::string& Name, IInterface* AService) {
  Calls.push_back("RegisterService " + Name);
  Service = AService;
}

IInterface* TRecordingFramework::FindService(const std::string& Name) {
  Calls.push_back("FindService " + Name);
  return Service;
}
