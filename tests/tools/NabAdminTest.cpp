// nabadmin run as a child process, the way an administrator or the demo set-up runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "ChildProcess.h"
#include "DamageTools.h"
#include "TestNotesEnv.h"

namespace {

using TRun = vesktest::CommandRun;

class NabAdminTest : public testing::Test {
 protected:
  // Runs nabadmin with Arguments in the test's Notes environment.
  TRun Run(const std::string& Arguments) {
    return vesktest::RunCommand(std::string("'") + NABADMIN_PROGRAM + "' " + Arguments + " 2>&1");
  }

  void AddSetting(const std::string& Line) {
    std::ofstream(FEnv.IniFile(), std::ios::app) << Line << "\n";
  }

  vesktest::TestNotesEnv FEnv;
};

// Whether Run failed with exit code 1, saying Message; a failure shows what it said.
testing::AssertionResult FailsSaying(const TRun& Run, const std::string& Message) {
  if (Run.ExitCode == 1 && Run.Output.find(Message) != std::string::npos)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "exit code " << Run.ExitCode << ": " << Run.Output;
}

TEST_F(NabAdminTest, CreatesABookAndAddsListsAndRemovesPeople) {
  EXPECT_EQ(Run("create names.nsf --title People").ExitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(FEnv.DataDir() / "names.nsf"));
  TRun added =
      Run("add-person names.nsf --first John --last Doe --company Acme --short jdoe "
          "--fullname 'John Doe/Sales/Acme' --internet john@acme.example --mail-server Hub/Acme "
          "--mail-file mail/jdoe");
  EXPECT_EQ(added.ExitCode, 0) << added.Output;
  EXPECT_EQ(added.Output, "added person John Doe\n");
  EXPECT_EQ(Run("add-person names.nsf --fullname 'CN=Mary Major/O=Acme'").ExitCode, 0);
  EXPECT_EQ(Run("add-group names.nsf Sales 'John Doe' 'Mary Major'").Output,
            "added group Sales with 2 member(s)\n");
  EXPECT_EQ(Run("list").Output,
            "CN=John Doe/OU=Sales/O=Acme\tJohn\tDoe\tAcme\tjohn@acme.example\n"
            "CN=Mary Major/O=Acme\t\t\t\t\n");
  // Everyone who goes by a name is removed: full names in any case, short names.
  ASSERT_EQ(Run("add-person names.nsf --first Jane --last Doe --short jd").ExitCode, 0);
  EXPECT_EQ(Run("remove names.nsf 'cn=john doe/ou=sales/o=acme'").Output, "removed 1 person(s)\n");
  EXPECT_EQ(Run("remove names.nsf JD").Output, "removed 1 person(s)\n");
  EXPECT_TRUE(FailsSaying(Run("remove names.nsf 'Jane Doe'"), "Nobody goes by Jane Doe"));
  EXPECT_EQ(Run("list").Output, "CN=Mary Major/O=Acme\t\t\t\t\n");
}

TEST_F(NabAdminTest, WorksOnAServersDirectory) {
  std::filesystem::path servers = FEnv.Root() / "servers";
  std::filesystem::create_directories(servers / "CN=HUB%2FO=ACME");
  AddSetting("NotesRT_ServersDir=" + servers.string());
  EXPECT_EQ(Run("create names.nsf --server Hub/Acme").ExitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(servers / "CN=HUB%2FO=ACME" / "names.nsf"));
  EXPECT_EQ(Run("add-person names.nsf --server Hub/Acme --first Sam --last Server").ExitCode, 0);
  EXPECT_EQ(Run("list --server CN=Hub/O=Acme").Output, "CN=Sam Server\tSam\tServer\t\t\n");
  EXPECT_TRUE(FailsSaying(Run("list --server Gone/Acme"), "server is not responding"));
}

// "." and ".." would put a server's files in the servers folder itself or above it.
TEST_F(NabAdminTest, FailuresBadUsageAndDotServerNamesHaveTheirExitCodes) {
  ASSERT_EQ(Run("create names.nsf").ExitCode, 0);
  EXPECT_TRUE(FailsSaying(Run("create names.nsf"), "File already exists"));
  EXPECT_TRUE(
      FailsSaying(Run("add-person names.nsf --first Only"), "needs a last name or a full name"));
  EXPECT_EQ(Run("add-person missing.nsf --last Doe").ExitCode, 1);
  for (const char* usage : {"", "frobnicate", "add-person names.nsf --last Doe --colour blue",
                            "add-group names.nsf", "create"})
    EXPECT_EQ(Run(usage).ExitCode, 2) << usage;
  EXPECT_EQ(Run("list").Output, "");
  const std::filesystem::path servers = FEnv.Root() / "servers";
  std::filesystem::create_directories(servers);
  AddSetting("NotesRT_ServersDir=" + servers.string());
  for (const char* server : {"..", "."})
    EXPECT_TRUE(
        FailsSaying(Run(std::string("create mail.box --server ") + server), "Invalid server"))
        << server;
  EXPECT_FALSE(std::filesystem::exists(FEnv.Root() / "mail.box"));
  EXPECT_FALSE(std::filesystem::exists(servers / "mail.box"));
}

// A damaged database is repaired: what can be read goes into a new file of the same name, the
// damaged one is kept beside it, and the output says what was saved and what was not.
TEST_F(NabAdminTest, FixupRepairsADamagedDatabaseAndKeepsTheOldOne) {
  ASSERT_EQ(Run("create names.nsf").ExitCode, 0);
  constexpr int People = 15;
  for (int index = 0; index < People; ++index)
    ASSERT_EQ(Run("add-person names.nsf --last Person" + std::to_string(index) + " --company '" +
                  std::string(1000, 'c') + "'")
                  .ExitCode,
              0);
  vesktest::DamageLeafPage(FEnv.DataDir() / "names.nsf", "notes");
  TRun fixup = Run("fixup names.nsf");
  EXPECT_EQ(fixup.ExitCode, 0) << fixup.Output;
  EXPECT_NE(fixup.Output.find("could not read note"), std::string::npos) << fixup.Output;
  EXPECT_NE(fixup.Output.find("repaired names.nsf: "), std::string::npos) << fixup.Output;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FEnv.DataDir()))
    files += entry.path().extension() == ".nsf" ? 1 : 0;
  EXPECT_EQ(files, 2) << "names.nsf and the damaged file beside it";
  TRun list = Run("list");
  EXPECT_EQ(list.ExitCode, 0) << list.Output;
  const auto listed = std::count(list.Output.begin(), list.Output.end(), '\n');
  EXPECT_GT(listed, People / 2);
  EXPECT_LT(listed, People);
  EXPECT_EQ(Run("fixup missing.nsf").ExitCode, 1);
}

}  // namespace
