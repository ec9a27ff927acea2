#include <filesystem>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "ListLines.h"
#include "NotesFixture.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDirectory.h"
#include "notesapi/notesrt.h"

namespace {

namespace fs = std::filesystem;

class DirectoryTest : public NotesFixture {
 protected:
  void SetUp() override {
    NotesFixture::SetUp();
    OSSetEnvironmentVariable("NotesRT_ServersDir", (FEnv.Root() / "servers").c_str());
  }

  static void Create(const std::string& Server, const std::string& File, const std::string& Title) {
    TNotesDatabase database;
    database.CreateNew(Server, File, "");
    if (!Title.empty()) database.SetTitle(Title);
  }

  // "title|D|info" per entry, D for a folder, as FindFirst and FindNext hand them out.
  static std::vector<std::string> Listing(const std::string& Server, const std::string& Path,
                                          const TNotesFindOptions& Options) {
    std::vector<std::string> lines;
    TNotesDirectory directory;
    TNotesDirEntry entry;
    for (bool found = directory.FindFirst(Server, Path, Options, entry); found;
         found = directory.FindNext(entry))
      lines.push_back(entry.Title + (entry.IsDir ? "|D|" : "|-|") + entry.Info);
    EXPECT_FALSE(directory.SearchOpen());
    return lines;
  }
};

TEST_F(DirectoryTest, ListingsByOptionOnTheLocalDataAndAServerAndRefusedSearchesRaise) {
  fs::create_directories(FEnv.DataDir() / "empty");
  TNotesDirectory emptyDir;
  TNotesDirEntry none;
  none.Title = "untouched";
  EXPECT_FALSE(emptyDir.FindFirst("", "empty", {}, none));
  EXPECT_FALSE(emptyDir.SearchOpen());
  EXPECT_EQ(none.Title, "untouched");
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_DATABASE), 0u);
  EXPECT_THROW(emptyDir.FindFirst("", "missing", {}, none), ELotusNotes);
  EXPECT_THROW(emptyDir.FindFirst("Nowhere/Demo", "", {}, none), ELotusNotes);
  EXPECT_FALSE(emptyDir.SearchOpen());
  fs::remove(FEnv.DataDir() / "empty");
  Create("", "zeta.nsf", "Alpha");
  Create("", "alpha.nsf", "Zeta");
  Create("", "untitled.nsf", "");
  Create("", "mailtpl.ntf", "Mail Template");
  Create("", "Alpha/inner.nsf", "Inner");
  fs::create_directories(FEnv.DataDir() / "Beta");
  struct Case {
    const char* Name;
    TNotesFindOptions Options;
    std::vector<std::string> Expected;
  };
  const std::vector<Case> cases{
      // A folder named like a database's title still comes first; untitled databases sort
      // before titled ones and keep their file name.
      {"files", {}, {"untitled.nsf|-|", "zeta.nsf|-|Alpha", "alpha.nsf|-|Zeta"}},
      {"templates", {nfoTemplates}, {"mailtpl.ntf|-|Mail Template"}},
      {"files and folders",
       {nfoFiles, nfoSubDirs},
       {"Alpha|D|", "Beta|D|", "untitled.nsf|-|", "zeta.nsf|-|Alpha", "alpha.nsf|-|Zeta"}},
      {"folders and everything",
       {nfoSubDirs},
       {"Alpha|D|", "Beta|D|", "untitled.nsf|-|", "zeta.nsf|-|Alpha", "mailtpl.ntf|-|Mail Template",
        "alpha.nsf|-|Zeta"}},
  };
  for (const Case& each : cases)
    EXPECT_EQ(Listing("Local", "", each.Options), each.Expected) << each.Name;
  EXPECT_EQ(Listing("", "alpha", {}), std::vector<std::string>{"inner.nsf|-|Inner"});
  // A server's root and the entries' paths.
  CheckNotesStatus(NotesRTCreateServer("CN=Mail01/O=Demo"));
  Create("Mail01/Demo", "mail/jdoe.nsf", "Jane Doe");
  EXPECT_EQ(Listing("CN=Mail01/O=Demo", "mail", {}),
            std::vector<std::string>{"jdoe.nsf|-|Jane Doe"});
  TNotesDirectory directory;
  TNotesDirEntry entry;
  ASSERT_TRUE(directory.FindFirst("Mail01/Demo", "", {nfoSubDirs}, entry));
  EXPECT_EQ(entry.Title, "mail");
  EXPECT_EQ(entry.Path, "mail");
  ASSERT_TRUE(directory.FindNext(entry));
  EXPECT_EQ(entry.Path, "names.nsf");
  directory.FindClose();
  directory.FindClose();
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_DATABASE), 0u);
}

// A database's information buffer holds its title, then its categories and classes after a
// line break, each class marked with "#".
TEST_F(DirectoryTest, InfoIsTheTitleBeforeTheClasses) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Mail\n#2StdR85Mail", "Mail"},
      {" Sales \n\n#1StdTemplate", "Sales"},
      {"#1OnlyAClass", ""},
      {"No class", "No class"},
  };
  int number = 0;
  for (const auto& [info, expected] : cases) {
    const std::string folder = "case" + std::to_string(++number);
    Create("", folder + "/info.nsf", "");
    {
      TNotesDatabase database;
      database.Open("", folder + "/info.nsf");
      CheckNotesStatus(NSFDbInfoSet(database.Handle(), const_cast<char*>(info.c_str())));
    }
    TNotesDirectory directory;
    TNotesDirEntry entry;
    ASSERT_TRUE(directory.FindFirst("", folder, {}, entry)) << info;
    EXPECT_EQ(entry.Info, expected) << info;
  }
}

TEST_F(DirectoryTest, PortsFromTheSettingAndServersAfterLocalOnEach) {
  const std::vector<std::pair<const char*, std::vector<std::string>>> cases{
      {"TCPIP, LAN0", {"TCPIP", "LAN0"}},
      {"TCPIP", {"TCPIP"}},
      {" TCPIP ,, LAN0 ,", {"TCPIP", "LAN0"}},
      {"", {}},
  };
  for (const auto& [setting, expected] : cases) {
    OSSetEnvironmentVariable("Ports", setting);
    TNotesDirectory directory;
    EXPECT_EQ(vesktest::LinesOf(directory.GetPorts()), expected) << setting;
  }
  TNotesDirectory directory;
  TStringList servers;
  directory.ListServers("", servers);
  EXPECT_EQ(servers.Text(), "Local\r\n");
  CheckNotesStatus(NotesRTCreateServer("CN=Mail01/O=Demo"));
  CheckNotesStatus(NotesRTCreateServer("CN=Hub/OU=East/O=Demo"));
  for (const char* port : {"", "TCPIP", "NoSuchPort"}) {
    directory.ListServers(port, servers);
    EXPECT_EQ(servers.Text(), "Local\r\nHUB/EAST/DEMO\r\nMAIL01/DEMO\r\n") << port;
  }
}

}  // namespace
