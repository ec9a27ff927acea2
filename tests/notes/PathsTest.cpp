#include <filesystem>
#include <fstream>
#include <tuple>

#include "ELotusNotes.h"
#include "NotesFixture.h"
#include "NotesPaths.h"
#include "Registry.h"
#include "notesapi/notesrt.h"

namespace {

namespace fs = std::filesystem;
using PathsTest = NotesFixture;

TEST_F(PathsTest, FileNamesRoundTripTheRegistryNamesAnInstallationAndDirectoriesEndInASlash) {
  std::string server, file;
  ParsePath(ConstructPath("Srv", "m\xC3\xBCller.nsf"), server, file);
  EXPECT_EQ(file, "m\xC3\xBCller.nsf");
  ParsePath(ConstructPath("S\xC3\xA9rv/Acme", "a.nsf"), server, file);
  EXPECT_EQ(server, "S\xC3\xA9rv/Acme");
  EXPECT_THROW(ConstructPath("Srv", std::string(300, 'x')), ELotusNotes);
  // The registry gives the directories only under an installation key.
  {
    TRegistry registry;  // a key without subkeys is no installation
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("Software\\Lotus\\Notes", true));
    registry.WriteString("Path", "/ignored");
  }
  std::string dataDir;
  EXPECT_EQ(GetActualNotesDir(dataDir), GetNotesExeDir());
  EXPECT_EQ(dataDir, GetNotesDataDir());
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("Software\\Lotus\\Notes\\9.0", true));
    registry.WriteString("Path", "/opt/ibm/notes");
    registry.WriteString("DataPath", "/home/user/notes/data/");
    ASSERT_TRUE(registry.OpenKey("\\Software\\Lotus\\Notes\\Zeta", true));
    registry.WriteString("Path", "/elsewhere");
  }
  EXPECT_EQ(GetActualNotesDir(dataDir), "/opt/ibm/notes/");
  EXPECT_EQ(dataDir, "/home/user/notes/data/");
  // The runtime's directories end in a slash.
  EXPECT_EQ(GetNotesDataDir(), FEnv.DataDir().string() + "/");
  EXPECT_EQ(GetNotesIniFile(), FEnv.IniFile().string());
  std::string exeDir = GetNotesExeDir();
  ASSERT_FALSE(exeDir.empty());
  EXPECT_EQ(exeDir.back(), '/');
  EXPECT_TRUE(fs::exists(fs::path(exeDir) / "libnotesrt.so")) << exeDir;
  for (const auto& [path, add, expected] : {std::tuple{"/opt/notes", true, "/opt/notes/"},
                                            {"/opt/notes/", true, "/opt/notes/"},
                                            {"", true, ""},
                                            {"/opt/notes/", false, "/opt/notes"},
                                            {"/opt/notes", false, "/opt/notes"}})
    EXPECT_EQ(AddSlashAtPathEnd(path, add), expected) << path << " " << add;
}

TEST(PathsLongDirTest, LongDataDirectoryIsNotCut) {
  vesktest::TempDir dir;
  std::string data = (dir.Path() / std::string(150, 'd')).string();
  std::ofstream(dir.Path() / "notes.ini") << "[Notes]\nDirectory=" << data << "\n";
  setenv(NOTESRT_INI_ENV, (dir.Path() / "notes.ini").c_str(), 1);
  EXPECT_EQ(GetNotesDataDir(), data + "/");  // read before the runtime starts, as at load time
  unsetenv(NOTESRT_INI_ENV);
}

}  // namespace
