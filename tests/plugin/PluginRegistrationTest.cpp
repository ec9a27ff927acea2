// Register and UnRegister of the real plug-in module against a recording fake of the framework.
#include <gtest/gtest.h>

#include "Customintf.h"
#include "ErrorOf.h"
#include "FormResources.h"
#include "Hlxvisualclasses.h"
#include "PluginModuleFixture.h"
#include "RecordingFramework.h"

namespace {

using TLines = std::vector<std::string>;

// Tells whether a component it watches has been destroyed.
class TWatcher : public TComponent {
 public:
  TWatcher() : TComponent(nullptr) {}
  void Watch(TComponent* Component) { Component->FreeNotification(this); }
  bool Destroyed = false;

 protected:
  void Notification(TComponent*, TOperation Operation) override {
    Destroyed = Destroyed || Operation == opRemove;
  }
};

class PluginRegistrationTest : public PluginModuleFixture {
 protected:
  // Publishes the recording framework and registers the module with it.
  void Register() {
    ApplicationServices = Framework.AsInterface();
    Module.Register();
  }

  TRecordingFramework Framework;
};

TEST_F(PluginRegistrationTest, RegisterAnnouncesThePluginThenTheServiceOnce) {
  Register();
  EXPECT_EQ(
      Framework.Calls,
      (TLines{"QueryInterface IPluginRegistry", "RegisterPlugin", "QueryInterface IServiceRegistry",
              "RegisterService MailInterface", "QueryInterface IMainAppService"}));
  // The registries were let go; the main application service is kept by the plug-in.
  EXPECT_EQ(Framework.References, 1);
  ASSERT_NE(Framework.Plugin, nullptr);
  // A second Register without UnRegister is refused.
  EXPECT_THROW(Module.Register(), Exception);
  EXPECT_EQ(Framework.Calls.size(), 5u);
  TWatcher Watcher;
  Watcher.Watch(Framework.Plugin);

  Module.UnRegister();
  EXPECT_TRUE(Watcher.Destroyed);
  EXPECT_EQ(Framework.References, 0);
  EXPECT_EQ(Framework.Calls.size(), 5u);  // UnRegister calls nothing
}

TEST_F(PluginRegistrationTest, CommandsOfTheStoredFormAreRegisteredInOrder) {
  // A form with commands stands in for the module's own, which has none.
  RegisterFormResource("TVPILNMAIL",
                       "object vpiLNMail: TvpiLNMail\n"
                       "  Commands = <\n"
                       "    item\n      Caption = 'Open'\n    end\n"
                       "    item\n      Caption = 'Close'\n    end>\n"
                       "end\n");
  Register();
  EXPECT_EQ(Framework.Calls,
            (TLines{"QueryInterface IPluginRegistry", "RegisterPlugin",
                    "RegisterCommand (no command object)", "RegisterCommand (no command object)",
                    "QueryInterface IServiceRegistry", "RegisterService MailInterface",
                    "QueryInterface IMainAppService"}));
  Module.UnRegister();
}

TEST_F(PluginRegistrationTest, TheRegisteredObjectIsTheMailPluginOfTheStoredFormUntilUnload) {
  Register();
  ThlxVisualPlugin* Plugin = Framework.Plugin;
  ASSERT_NE(Plugin, nullptr);
  EXPECT_EQ(Plugin->GetCommands().Count(), 0u);
  {
    auto Mail = InterfaceCast<IMailInterface>(Framework.Service);
    ASSERT_TRUE(Mail);
    EXPECT_EQ(InterfaceCast<IMailInterface>(Plugin).Get(), Mail.Get());
    EXPECT_FALSE(Mail->IsConnected());
  }
  EXPECT_EQ(Framework.References, 1);  // the object's life is not counted
  // An object left registered is freed when the module is unloaded.
  TWatcher Watcher;
  Watcher.Watch(Framework.Plugin);
  Module.Unload();
  EXPECT_TRUE(Watcher.Destroyed);
  EXPECT_EQ(Framework.References, 0);
}

TEST_F(PluginRegistrationTest,
       WithoutApplicationServicesNothingIsCalledAndTheFormGoesWithTheModule) {
  Module.Register();  // ApplicationServices is empty
  Module.UnRegister();
  // The object was freed: a new one can be registered, and this time it is announced.
  Register();
  EXPECT_EQ(Framework.Calls.size(), 5u);
  Module.UnRegister();
  // The stored form is findable while the module is loaded.
  EXPECT_NE(FindFormResource("TVPILNMAIL").find("object vpiLNMail: TvpiLNMail"), std::string::npos);
  Module.Unload();
  EXPECT_THROW(FindFormResource("TVPILNMAIL"), EResNotFound);
}

TEST_F(PluginRegistrationTest, AMissingRegistryRaisesAndTheObjectStaysForUnRegister) {
  TRecordingFramework Framework(false);  // no service registry
  ApplicationServices = Framework.AsInterface();
  EXPECT_EQ(vesktest::ErrorOf<EIntfCastError>([&] { Module.Register(); }),
            "Interface not supported");
  EXPECT_EQ(Framework.Calls, (TLines{"QueryInterface IPluginRegistry", "RegisterPlugin",
                                     "QueryInterface IServiceRegistry"}));
  EXPECT_EQ(Framework.References, 0);  // the plug-in registry was released on the way out
  ASSERT_NE(Framework.Plugin, nullptr);
  TWatcher Watcher;
  Watcher.Watch(Framework.Plugin);
  Module.UnRegister();
  EXPECT_TRUE(Watcher.Destroyed);
}

}  // namespace
