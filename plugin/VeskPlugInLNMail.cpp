#include "VeskPlugInLNMail.h"

#include <memory>

#include "FormResources.h"
#include "TvpiLNMail.h"
#include "VeskPlugInLNMailForms.h"

namespace {

const char* const MailServiceName = "MailInterface";
const char* const FormResourceName = "TVPILNMAIL";

// The single plug-in object, set by Register and freed by UnRegister.
std::unique_ptr<TvpiLNMail> vpiLNMail;

}  // namespace

// The order of the calls is the host contract. When a step raises, the later ones are not
// done, the temporary registry references are released on the way out, and the object stays
// for UnRegister to free.
void Register() {
  // A second object would orphan the first while the host may still hold it.
  if (vpiLNMail) throw Exception("VeskPlugInLNMail is already registered");
  vpiLNMail = std::make_unique<TvpiLNMail>(nullptr);
  if (!ApplicationServices) return;
  auto PluginRegistry = InterfaceCast<IPluginRegistry>(ApplicationServices);
  PluginRegistry->RegisterPlugin(vpiLNMail.get());
  ThlxCommands& Commands = vpiLNMail->GetCommands();
  for (size_t Index = 0; Index < Commands.Count(); ++Index)
    PluginRegistry->RegisterCommand(vpiLNMail.get(), Commands.Items(Index).Command());
  auto ServiceRegistry = InterfaceCast<IServiceRegistry>(ApplicationServices);
  ServiceRegistry->RegisterService(MailServiceName, static_cast<IMailInterface*>(vpiLNMail.get()));
  vpiLNMail->SetMainAppService(InterfaceCast<IMainAppService>(ApplicationServices));
}

void UnRegister() {
  vpiLNMail.reset();
}

void VeskPlugInLNMailInitialize() {
  RegisterFormResource(FormResourceName, TvpiLNMailForm);
}

void VeskPlugInLNMailFinalize() {
  // A host that never called UnRegister must not leave the object to outlive the Notes runtime,
  // which the next shutdown section terminates.
  vpiLNMail.reset();
  UnRegisterFormResource(FormResourceName);
}
