// Components and the visual plug-in base reading its stored form from a form resource.
#include <gtest/gtest.h>

#include "Classes.h"
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

template <class TError>
std::string ErrorOf(const std::string& Form) {
  TFormResource Resource("TVPITEST", Form);
  try {
    TvpiTest Plugin(nullptr);
  } catch (const TError& Error) {
    return Error.Message();
  }
  return "no error";
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

TEST(VisualPluginTest, ConstructionReadsTheStoredForm) {
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
  EXPECT_EQ(Plugin.GetPluginID(), "");
  EXPECT_EQ(Plugin.GetAuthor(), "");
  ASSERT_EQ(Plugin.GetCommands().Count(), 2u);
  EXPECT_EQ(Plugin.GetCommands().Items(0).Caption(), "Send");
  EXPECT_EQ(Plugin.GetCommands().Items(1).Command(), nullptr);
}

TEST(VisualPluginTest, MissingOrUnfittingFormsRaise) {
  try {
    TvpiTest Plugin(nullptr);
    FAIL() << "no error";
  } catch (const EResNotFound& Error) {
    EXPECT_EQ(Error.Message(), "Resource TVPITEST not found");
  }
  EXPECT_EQ(ErrorOf<EReadError>("object vpiTest: TvpiTest\n  Colour = 'red'\nend"),
            "Error reading vpiTest.Colour: Property Colour does not exist");
  EXPECT_EQ(ErrorOf<EReadError>("object vpiTest: TvpiTest\n  Version = 6\nend"),
            "Error reading vpiTest.Version: Invalid property value");
  EXPECT_EQ(ErrorOf<EReadError>("object vpiTest: TvpiTest\n  OldCreateOrder = 'no'\nend"),
            "Error reading vpiTest.OldCreateOrder: Invalid property value");
  EXPECT_EQ(ErrorOf<EReadError>("object vpiTest: TvpiTest\n  Left = 'far'\nend"),
            "Error reading vpiTest.Left: Invalid property value");
  EXPECT_EQ(
      ErrorOf<EReadError>("object vpiTest: TvpiTest\n  Commands = <\n    item\n      Hint = 'x'\n"
                          "    end>\nend"),
      "Error reading vpiTest.Commands[0].Hint: Property Hint does not exist");
  EXPECT_EQ(ErrorOf<EReadError>("object vpiOther: TvpiOther\nend"),
            "Error reading form TVPITEST: it stores a TvpiOther, not a TvpiTest");
  EXPECT_EQ(ErrorOf<EReadError>("object vpiTest: TvpiTest\n  Version = '6.0"),
            "Error reading form TVPITEST, line 2: Unterminated string");
}

TEST(VisualPluginTest, AnOwnerFreesItsComponents) {
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
}

TEST(VisualPluginTest, AComponentAnswersOnlyForIInterface) {
  TComponent Component(nullptr);
  void* Intf = &Component;
  EXPECT_EQ(Component.QueryInterface(IInterface::IID, &Intf), S_OK);
  EXPECT_EQ(Intf, static_cast<IInterface*>(&Component));
  EXPECT_EQ(Component.QueryInterface(IPluginRegistry::IID, &Intf), E_NOINTERFACE);
  EXPECT_EQ(Intf, nullptr);
  // Its life is not counted.
  EXPECT_EQ(Component._AddRef(), -1);
  EXPECT_EQ(Component._Release(), -1);
}

}  // namespace
