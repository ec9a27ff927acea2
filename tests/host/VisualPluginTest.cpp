// Components and the visual plug-in base reading its stored form from a form resource.
#include <gtest/gtest.h>

#include "Classes.h"
#include "ErrorOf.h"
#include "FormResources.h"
#include "Hlxvisualclasses.h"

namespace {

// Registers a form resource for one test.
class TFormResource {
 public:
  TFormResource(std::string Name, const std::string& Text) : FName(std::move(Name)) {
    RegisterFormResource(FName, Text);
  }
  ~TFormResource() { UnRegisterFormResource(FName); }

 private:
  std::string FName;
};

class TvpiTest : public ThlxVisualPlugin {
 public:
  explicit TvpiTest(TComponent* Owner) : ThlxVisualPlugin(Owner, "TvpiTest") {}
};

// The message of the EReadError raised when constructing from Form.
std::string FormError(const std::string& Form) {
  TFormResource Resource("TVPITEST", Form);
  return vesktest::ErrorOf<EReadError>([] { TvpiTest Plugin(nullptr); });
}

// Notes which components it was told are gone.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<TComponent*> Removed;

 protected:
  void Notification(TComponent* Component, TOperation Operation) override {
    if (Operation == opRemove) Removed.push_back(Component);
  }
};

TEST(VisualPluginTest, ConstructionReadsTheStoredFormAndMissingOrUnfittingFormsRaise) {
  EXPECT_EQ(vesktest::ErrorOf<EResNotFound>([] { TvpiTest Plugin(nullptr); }),
            "Resource TVPITEST not found");
  const std::pair<const char*, const char*> Cases[] = {
      {"  Colour = 'red'\n", "vpiTest.Colour: Property Colour does not exist"},
      {"  Version = 6\n", "vpiTest.Version: Invalid property value"},
      {"  OldCreateOrder = 'no'\n", "vpiTest.OldCreateOrder: Invalid property value"},
      {"  Left = 'far'\n", "vpiTest.Left: Invalid property value"},
      {"  Commands = <\n    item\n      Hint = 'x'\n    end>\n",
       "vpiTest.Commands[0].Hint: Property Hint does not exist"}};
  for (const auto& [Properties, Message] : Cases)
    EXPECT_EQ(FormError(std::string("object vpiTest: TvpiTest\n") + Properties + "end"),
              std::string("Error reading ") + Message);
  EXPECT_EQ(FormError("object vpiOther: TvpiOther\nend"),
            "Error reading form TVPITEST: it stores a TvpiOther, not a TvpiTest");
  // A fitting form is read.
  TFormResource Resource("tvpitest",
                         "object vpiTest: TvpiTest\n"
                         "  OldCreateOrder = True\n"
                         "  Commands = <\n"
                         "    item\n"
                         "      Caption = 'Send'\n"
                         "    end\n"
                         "    item\n"
                         "    end>\n"
                         "  Version = '6.0 Professional'\n"
                         "  PluginName = 'Test plug-in'\n"
                         "  Left = 192\n"
                         "  Top = 107\n"
                         "  Height = 150\n"
                         "  Width = 215\n"
                         "end\n");
  TvpiTest Plugin(nullptr);
  EXPECT_EQ(Plugin.Name(), "vpiTest");
  EXPECT_EQ(Plugin.ClassName(), "TvpiTest");
  EXPECT_TRUE(Plugin.OldCreateOrder());
  EXPECT_EQ(Plugin.Version(), "6.0 Professional");
  EXPECT_EQ(Plugin.GetPluginName(), "Test plug-in");
  ASSERT_EQ(Plugin.GetCommands().Count(), 2u);
  EXPECT_EQ(Plugin.GetCommands().Items(0).Caption(), "Send");
  EXPECT_EQ(Plugin.GetCommands().Items(1).Command(), nullptr);
}

TEST(VisualPluginTest, AnOwnerFreesItsComponentsWhichAnswerOnlyForIInterface) {
  TWatcher Watcher(nullptr);
  auto* Owner = new TComponent(nullptr);
  auto* First = new TComponent(Owner);
  auto* Second = new TComponent(Owner);
  ASSERT_EQ(Owner->ComponentCount(), 2u);
  First->FreeNotification(&Watcher);
  Second->FreeNotification(&Watcher);
  delete First;
  EXPECT_EQ(Owner->ComponentCount(), 1u);
  EXPECT_EQ(Owner->Components(0), Second);
  delete Owner;  // frees Second with it
  EXPECT_EQ(Watcher.Removed, (std::vector<TComponent*>{First, Second}));
  // A component answers only for IInterface, and its life is not counted.
  TComponent Component(nullptr);
  void* Intf = &Component;
  EXPECT_EQ(Component.QueryInterface(IInterface::IID, &Intf), S_OK);
  EXPECT_EQ(Intf, static_cast<IInterface*>(&Component));
  EXPECT_EQ(Component.QueryInterface(IPluginRegistry::IID, &Intf), E_NOINTERFACE);
  EXPECT_EQ(Intf, nullptr);
  EXPECT_EQ(Component._AddRef(), -1);
  EXPECT_EQ(Component._Release(), -1);
}

}  // namespace
