#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Customintf.h"
#include "ListLines.h"
#include "PluginModuleFixture.h"
#include "RecordingFramework.h"
#include "StringList.h"

// The plug-in module registered with a recording framework, its mail service at hand.
class RegisteredMailFixture : public PluginModuleFixture {
 protected:
  using Lines = std::vector<std::string>;

  void RegisterMail() {
    ApplicationServices = Framework.AsInterface();
    Module.Register();
    Mail = InterfaceCast<IMailInterface>(Framework.Service);
    ASSERT_TRUE(Mail);
  }
  void UnregisterMail() {
    Mail.Reset();
    Module.UnRegister();
  }

  // The lines of a list the plug-in handed out, which the caller owns and this frees.
  static Lines LinesOf(TStringList* List) {
    std::unique_ptr<TStringList> Owned(List);
    return Owned ? vesktest::LinesOf(*Owned) : Lines{};
  }

  TRecordingFramework Framework;
  TInterfaceRef<IMailInterface> Mail;
};
