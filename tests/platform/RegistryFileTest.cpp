// The root files on disk: their text, atomic replacement, writers in other processes and
// files that were damaged or edited by hand.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "FileText.h"
#include "ForkedChild.h"
#include "Registry.h"
#include "RegistryHive.h"
#include "StringList.h"
#include "TestNotesEnv.h"

namespace {

using vesktest::ReadFileText;
using vesktest::WriteFileText;

class RegistryFileTest : public testing::Test {
 protected:
  std::filesystem::path UserFile() const { return Env.RegistryDir() / "HKEY_CURRENT_USER.reg"; }

  vesktest::TestNotesEnv Env;
};

TEST_F(RegistryFileTest, ASaveReplacesTheFileAndNeverRewritesItInPlace) {
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Key", true));
  Registry.WriteString("First", "1");
  std::string Before = ReadFileText(UserFile());
  // A reader that opened the file before the save keeps reading the complete old file.
  std::ifstream Reader(UserFile(), std::ios::binary);
  Registry.WriteString("Second", "2");
  std::ostringstream SeenByReader;
  SeenByReader << Reader.rdbuf();
  EXPECT_EQ(SeenByReader.str(), Before);
  EXPECT_NE(ReadFileText(UserFile()).find("\"Second\"=\"2\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(UserFile().string() + ".tmp"));
}

TEST_F(RegistryFileTest, ATemporaryFileLeftByACrashedWriterDoesNoHarm) {
  {
    TRegistry Registry;
    ASSERT_TRUE(Registry.OpenKey("Key", true));
    Registry.WriteString("Kept", "yes");
  }
  WriteFileText(UserFile().string() + ".tmp", "[Key]\n\"Kept\"=\"half writ");
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Key", false));
  EXPECT_EQ(Registry.ReadString("Kept"), "yes");
  Registry.WriteString("Added", "too");
  TRegistry Reopened;
  ASSERT_TRUE(Reopened.OpenKeyReadOnly("Key"));
  EXPECT_EQ(Reopened.ReadString("Kept"), "yes");
  EXPECT_EQ(Reopened.ReadString("Added"), "too");
  EXPECT_FALSE(std::filesystem::exists(UserFile().string() + ".tmp"));
}

TEST_F(RegistryFileTest, WritersInSeveralProcessesLoseNoChange) {
  constexpr int Writers = 3;
  constexpr int ValuesEach = 40;
  std::vector<std::unique_ptr<vesktest::ForkedChild>> Children;
  for (int Writer = 0; Writer < Writers; ++Writer)
    Children.push_back(std::make_unique<vesktest::ForkedChild>([Writer] {
      TRegistry Registry;
      if (!Registry.OpenKey("Busy", true)) return "no key";
      for (int I = 0; I < ValuesEach; ++I)
        Registry.WriteInteger("W" + std::to_string(Writer) + "_" + std::to_string(I), I);
      return "";
    }));
  for (auto& Child : Children) {
    EXPECT_EQ(Child->Answer(), "");
    EXPECT_EQ(Child->Wait(), 0);
  }
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKeyReadOnly("Busy"));
  TStringList Names;
  Registry.GetValueNames(Names);
  EXPECT_EQ(Names.Count(), Writers * ValuesEach);
  EXPECT_EQ(Registry.ReadInteger("W2_39"), 39);
}

TEST_F(RegistryFileTest, AFileEditedByHandIsReadAndItsUnreadableLinesAreKept) {
  WriteFileText(UserFile(),
                "; written by hand, with Windows line ends\r\n"
                "[Software\\Lotus\\Notes]\r\n"
                "\"Path\"=\"/opt/notes\"\r\n"
                "\"Broken\"=dword:zz\r\n"
                "this line means nothing\r\n"
                "\"Unterminated\"=\"abc\r\n"
                "\"DataPath\"=\"/srv/notes\"   \r\n"
                "\n"
                "[Unclosed\n"
                "\"Number\"=dword:00000020\n"
                "\x01\x02\xff binary junk\n");
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Software\\Lotus\\Notes", false));
  EXPECT_EQ(Registry.ReadString("Path"), "/opt/notes");
  EXPECT_EQ(Registry.ReadString("DataPath"), "/srv/notes");
  EXPECT_FALSE(Registry.ValueExists("Broken"));
  EXPECT_EQ(Registry.ReadInteger("Number"), 32);  // "[Unclosed" is no section
  ASSERT_TRUE(Registry.OpenKey("\\Software", false));
  TStringList Names;
  Registry.GetKeyNames(Names);  // keys named only as parents exist too
  EXPECT_EQ(Names.Text(), "Lotus\r\n");

  Registry.WriteString("Saved", "now");
  std::string Saved = ReadFileText(UserFile());
  for (const char* Line : {"\"Broken\"=dword:zz\n", "this line means nothing\n",
                           "\"Unterminated\"=\"abc\n", "[Unclosed\n", "\x01\x02\xff binary junk\n"})
    EXPECT_NE(Saved.find(Line), std::string::npos) << Line;
}

TEST_F(RegistryFileTest, RandomTextNeverBreaksTheReader) {
  using namespace std::string_literals;
  const std::string Pieces[] = {
      "[",  "]",  "\"",  "\\",  "=",    "@",   "dword:", "hex:", ",",  "\n", "\r\n",
      "ab", "0f", "\\x", "\\n", "\xff", "\0"s, ";",      " ",    "\t", "Key"};
  std::mt19937 Random(20240611);
  for (int Round = 0; Round < 500; ++Round) {
    std::string Text;
    size_t Length = Random() % 60;
    for (size_t I = 0; I < Length; ++I) Text += Pieces[Random() % std::size(Pieces)];
    std::string Once = TRegistryHive::Parse(Text).Text();
    // What the reader makes of any text, it reads back the same way.
    EXPECT_EQ(TRegistryHive::Parse(Once).Text(), Once) << "input: " << testing::PrintToString(Text);
  }
}

}  // namespace
