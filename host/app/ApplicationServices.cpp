#include "ApplicationServices.h"

#include <algorithm>

#include "RunProblems.h"
#include "SysUtils.h"

HRESULT TApplicationServices::QueryInterface(const TGUID& Iid, void** Obj) {
  if (AnswerInterface<IPluginRegistry>(this, Iid, Obj) ||
      AnswerInterface<IServiceRegistry>(this, Iid, Obj) ||
      AnswerInterface<IMainAppService>(this, Iid, Obj))
    return S_OK;
  if (AnswerInterface<IInterface>(static_cast<IPluginRegistry*>(this), Iid, Obj)) return S_OK;
  *Obj = nullptr;
  return E_NOINTERFACE;
}

void TApplicationServices::RegisterPlugin(ThlxVisualPlugin* Plugin) {
  FPlugins.push_back(Plugin);
}

void TApplicationServices::UnRegisterPlugin(ThlxVisualPlugin* Plugin) {
  std::erase(FPlugins, Plugin);
}

void TApplicationServices::RegisterCommand(ThlxVisualPlugin*, IInterface*) {
  ++FCommandCount;
}

void TApplicationServices::RegisterService(const std::string& Name, IInterface* Service) {
  FServices.push_back({Name, TInterfaceRef<IInterface>(Service)});
}

IInterface* TApplicationServices::FindService(const std::string& Name) {
  auto It = std::find_if(FServices.begin(), FServices.end(),
                         [&](const TService& Service) { return SameText(Service.Name, Name); });
  return It == FServices.end() ? nullptr : It->Object.Get();
}

// The plug-in shows a status message for what it could not do on the way (a mail it could not
// list): a problem of the command that goes on.
void TApplicationServices::ShowStatus(const std::string& Text) {
  TRunProblems::Report(Text);
}

void TApplicationServices::ReleaseRegistrations() {
  FServices.clear();
  FPlugins.clear();
  FCommandCount = 0;
}
