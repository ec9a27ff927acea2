// TRegistry as its callers use it: keys, values, types, paths and several registry objects.
#include <gtest/gtest.h>

#include <functional>

#include "ErrorOf.h"
#include "ListLines.h"
#include "Registry.h"
#include "ScopedEnv.h"
#include "StringList.h"
#include "TestNotesEnv.h"

namespace {

using vesktest::LinesOf;

template <class F>
std::string RegistryError(F Action) {
  return vesktest::ErrorOf<ERegistryException>(Action);
}

class RegistryTest : public testing::Test {
 protected:
  vesktest::TestNotesEnv Env;
};

TEST_F(RegistryTest, ValuesOfEveryTypeSurviveReopeningAndAreReadOnlyAsTheirType) {
  const std::pair<std::string, std::string> Strings[] = {
      {"Awkward", "say \"hi\" C:\\dir\\\r\nnext line\ttab\x01\x7f Gr\u00fc\u00dfe"},
      {"Empty", ""},
      {"", "default value"},
      {"name with \"quotes\"\nand a break", "odd name"}};
  const std::pair<const char*, int> Integers[] = {
      {"Ten", 10}, {"MinusOne", -1}, {"Lowest", INT32_MIN}};
  std::vector<uint8_t> AllBytes;
  for (int Byte = 0; Byte < 256; ++Byte) AllBytes.push_back(static_cast<uint8_t>(Byte));
  {
    TRegistry Registry;
    ASSERT_TRUE(Registry.OpenKey("Software\\Vesk", true));
    for (const auto& [Name, Value] : Strings) Registry.WriteString(Name, Value);
    for (const auto& [Name, Value] : Integers) Registry.WriteInteger(Name, Value);
    Registry.WriteBinaryData("AllBytes", AllBytes);
    Registry.WriteBinaryData("NoBytes", {});
  }
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKeyReadOnly("Software\\Vesk"));
  for (const auto& [Name, Value] : Strings) EXPECT_EQ(Registry.ReadString(Name), Value) << Name;
  for (const auto& [Name, Value] : Integers) EXPECT_EQ(Registry.ReadInteger(Name), Value) << Name;
  EXPECT_TRUE(Registry.ValueExists("Empty"));
  EXPECT_EQ(Registry.ReadBinaryData("AllBytes"), AllBytes);
  EXPECT_TRUE(Registry.ReadBinaryData("NoBytes").empty());
  // Reading another type or a missing value raises; values are listed and deleted.
  TRegistry Typed;
  ASSERT_TRUE(Typed.OpenKey("Types", true));
  Typed.WriteString("Text", "10");
  Typed.WriteInteger("Number", 10);
  Typed.WriteBinaryData("Bytes", {1, 2});
  const std::pair<std::function<void()>, const char*> Errors[] = {
      {[&] { Typed.ReadInteger("Text"); }, "Invalid data type for 'Text'"},
      {[&] { Typed.ReadString("Number"); }, "Invalid data type for 'Number'"},
      {[&] { Typed.ReadString("Bytes"); }, "Invalid data type for 'Bytes'"},
      {[&] { Typed.ReadBinaryData("Text"); }, "Invalid data type for 'Text'"},
      {[&] { Typed.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
      {[&] { Typed.ReadBinaryData("Missing"); }, "Failed to get data for 'Missing'"}};
  for (const auto& [Read, Message] : Errors) EXPECT_EQ(RegistryError(Read), Message);
  EXPECT_EQ(Typed.ReadString("Missing"), "");
  // Overwriting with another type replaces the value.
  Typed.WriteInteger("Text", 7);
  EXPECT_EQ(Typed.ReadInteger("Text"), 7);
  ASSERT_TRUE(Typed.OpenKey("Values", true));
  Typed.WriteString("First", "1");
  Typed.WriteInteger("Second", 2);
  Typed.WriteString("Third", "3");
  EXPECT_TRUE(Typed.DeleteValue("SECOND"));
  EXPECT_FALSE(Typed.DeleteValue("Second"));
  EXPECT_FALSE(Typed.ValueExists("Second"));
  TStringList Names;
  Typed.GetValueNames(Names);
  EXPECT_EQ(LinesOf(Names), (std::vector<std::string>{"First", "Third"}));
}

TEST_F(RegistryTest, NamesCompareCaseInsensitivelyAndKeepTheirCase) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Software\\Lotus\\Notes", true));
  Registry.WriteString("DataPath", "/srv/notes");
  Registry.WriteString("DATAPATH", "/srv/notes/data");

  TRegistry Other;
  ASSERT_TRUE(Other.OpenKeyReadOnly("SOFTWARE\\lotus\\NOTES"));
  EXPECT_EQ(Other.ReadString("datapath"), "/srv/notes/data");
  TStringList Names;
  Other.GetValueNames(Names);
  EXPECT_EQ(LinesOf(Names), std::vector<std::string>{"DataPath"});
  ASSERT_TRUE(Other.OpenKeyReadOnly("\\software"));
  Other.GetKeyNames(Names);
  EXPECT_EQ(LinesOf(Names), std::vector<std::string>{"Lotus"});
}

TEST_F(RegistryTest, KeyPathsAreRelativeSubkeysComeInWindowsOrderAndDeleteTakesTheSubtree) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Software", true));
  ASSERT_TRUE(Registry.OpenKey("Vesk\\", true));
  EXPECT_EQ(Registry.CurrentPath(), "Software\\Vesk");
  EXPECT_FALSE(Registry.OpenKey("Missing", false));
  EXPECT_EQ(Registry.CurrentPath(), "Software\\Vesk");
  EXPECT_TRUE(Registry.KeyExists("\\Software"));
  EXPECT_FALSE(Registry.KeyExists("Software"));  // that would be Software\Vesk\Software
  ASSERT_TRUE(Registry.OpenKey("\\\\Other\\\\Deep", true));
  EXPECT_EQ(Registry.CurrentPath(), "Other\\Deep");
  Registry.CloseKey();
  EXPECT_TRUE(Registry.KeyExists("Other"));
  EXPECT_EQ(Registry.CurrentPath(), "");
  for (const char* Name : {"beta", "_x", "Alpha", "Zulu", "alpha2", "a b", "gamma"})
    ASSERT_TRUE(Registry.OpenKey(std::string("\\Root\\") + Name + "\\Leaf", true));
  ASSERT_TRUE(Registry.OpenKey("\\Root", false));
  TStringList Names;
  Registry.GetKeyNames(Names);
  // Upper-case comparison puts "_" after the letters, as Windows does.
  EXPECT_EQ(LinesOf(Names),
            (std::vector<std::string>{"a b", "Alpha", "alpha2", "beta", "gamma", "Zulu", "_x"}));
  EXPECT_TRUE(Registry.HasSubKeys());
  ASSERT_TRUE(Registry.OpenKey("Zulu\\Leaf", false));
  EXPECT_FALSE(Registry.HasSubKeys());
  ASSERT_TRUE(Registry.OpenKey("\\A\\B\\C", true));
  Registry.WriteString("Value", "x");
  ASSERT_TRUE(Registry.OpenKey("\\Ab", true));
  Registry.CloseKey();
  EXPECT_TRUE(Registry.DeleteKey("a"));
  EXPECT_FALSE(Registry.KeyExists("A\\B"));
  EXPECT_FALSE(Registry.KeyExists("A\\B\\C"));
  EXPECT_TRUE(Registry.KeyExists("Ab"));  // a sibling that merely starts alike stays
  EXPECT_FALSE(Registry.DeleteKey("A"));
  EXPECT_FALSE(Registry.DeleteKey("\\"));
}

TEST_F(RegistryTest, KeysOpenedReadOnlyAndNamesThatCannotBeStoredRefuseChanges) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Locked", true));
  Registry.WriteString("Value", "kept");
  ASSERT_TRUE(Registry.OpenKeyReadOnly("\\Locked"));
  EXPECT_EQ(RegistryError([&] { Registry.WriteString("Value", "changed"); }),
            "Failed to set data for 'Value'");
  EXPECT_THROW(Registry.WriteInteger("Other", 1), ERegistryException);
  EXPECT_FALSE(Registry.DeleteValue("Value"));
  EXPECT_EQ(Registry.ReadString("Value"), "kept");
  EXPECT_FALSE(Registry.OpenKeyReadOnly("\\Missing"));
  EXPECT_FALSE(Registry.OpenKey("Bad\nName", true));
  EXPECT_FALSE(Registry.OpenKey("Bad\x01Name", true));
  EXPECT_FALSE(Registry.KeyExists("Bad"));
}

TEST_F(RegistryTest, TwoRegistryObjectsSeeEachOthersChanges) {
  TRegistry First;
  TRegistry Second;
  ASSERT_TRUE(First.OpenKey("Shared", true));
  ASSERT_TRUE(Second.OpenKey("Shared", false));
  First.WriteString("Value", "from first");
  EXPECT_EQ(Second.ReadString("Value"), "from first");
  Second.WriteInteger("Count", 3);
  EXPECT_EQ(First.ReadInteger("Count"), 3);
  Second.CloseKey();
  ASSERT_TRUE(Second.DeleteKey("Shared"));
  // The first object's key is gone: writing to it fails rather than bringing it back silently.
  EXPECT_EQ(RegistryError([&] { First.WriteString("Value", "lost?"); }),
            "Failed to set data for 'Value'");
  EXPECT_FALSE(Second.KeyExists("Shared"));
}

TEST_F(RegistryTest, RootsAreKeptApart) {
  const HKEY Roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
  for (HKEY Root : Roots) {
    TRegistry Writer;
    Writer.SetRootKey(Root);
    ASSERT_TRUE(Writer.OpenKey("Shared\\Key", true));
    Writer.WriteInteger("Root", static_cast<int>(Root));
  }
  TRegistry Reader;
  EXPECT_EQ(Reader.RootKey(), HKEY_CURRENT_USER);
  for (HKEY Root : Roots) {
    Reader.SetRootKey(Root);
    ASSERT_TRUE(Reader.OpenKeyReadOnly("Shared\\Key")) << static_cast<int>(Root);
    EXPECT_EQ(Reader.ReadInteger("Root"), static_cast<int>(Root));
    // Changing the root closes the open key.
    Reader.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_EQ(Reader.CurrentPath(), "");
  }
}

TEST_F(RegistryTest, DirectoryFollowsTheEnvironment) {
  EXPECT_EQ(TRegistry::Directory(), Env.RegistryDir());
  vesktest::ScopedEnv NoRegistryDir("VESK_REGISTRY_DIR", nullptr);
  vesktest::ScopedEnv Home("HOME", "/home/someone");
  const std::pair<const char*, const char*> Cases[] = {
      {"/config", "/config/vesk/registry"},
      {"relative", "/home/someone/.config/vesk/registry"},
      {nullptr, "/home/someone/.config/vesk/registry"}};
  for (const auto& [ConfigHome, Expected] : Cases) {
    vesktest::ScopedEnv Config("XDG_CONFIG_HOME", ConfigHome);
    EXPECT_EQ(TRegistry::Directory(), Expected) << (ConfigHome ? ConfigHome : "none");
  }
}

}  // namespace
