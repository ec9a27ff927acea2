// Readers of the system's and the desktop's own files: mountinfo, desktop entries, the XDG user
// folders and Windows shell links; checked against findmnt and xdg-user-dir where those exist.
#include <gtest/gtest.h>

#include "ByteOrder.h"
#include "DesktopEntry.h"
#include "FileText.h"
#include "MountTable.h"
#include "ScopedEnv.h"
#include "ShellLink.h"
#include "Spawn.h"
#include "SysUtils.h"
#include "TempDir.h"
#include "UserDirs.h"

namespace {

using namespace std::chrono_literals;

std::string RunTool(std::vector<std::string> Argv) {
  Argv[0] = FindProgram(Argv[0]);
  std::string Output;
  if (Argv[0].empty() || RunCaptured(Argv, "", Output, 10s) != 0) return "";
  return Trim(Output);
}

TEST(MountTable, ReadsMountInfoLinesAndFindsTheMountOfAPathAsFindmntDoes) {
  struct {
    const char* Line;
    bool Valid;
    const char* MountPoint = "";
    const char* FsType = "";
    const char* Source = "";
  } Cases[] = {
      {"36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue", true,
       "/mnt2", "ext3", "/dev/root"},
      {"40 27 0:50 / /mnt/my\\040share rw shared:5 master:2 - cifs //srv/Team\\040Data rw", true,
       "/mnt/my share", "cifs", "//srv/Team Data"},
      {"41 27 0:51 / /net/home rw - nfs4 files:/export/home rw,vers=4.2", true, "/net/home", "nfs4",
       "files:/export/home"},
      {"42 27 0:52 / /odd\\134name\\07 rw - tmpfs tmpfs rw", true, "/odd\\name\\07", "tmpfs",
       "tmpfs"},
      {"36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 ext3 /dev/root rw", false},
      {"36 35 98:0 /mnt1", false},
      {"36 35 x:0 / /m rw - ext4 /dev/sda1 rw", false},
      {"36 35 8:1 / relative rw - ext4 /dev/sda1 rw", false},
      {"", false},
  };
  for (const auto& Case : Cases) {
    TMountEntry Entry;
    ASSERT_EQ(ParseMountInfoLine(Case.Line, Entry), Case.Valid) << Case.Line;
    if (!Case.Valid) continue;
    EXPECT_EQ(Entry.MountPoint, Case.MountPoint) << Case.Line;
    EXPECT_EQ(Entry.FsType, Case.FsType) << Case.Line;
    EXPECT_EQ(Entry.Source, Case.Source) << Case.Line;
  }
  // The mount of a path is the one findmnt finds.
  vesktest::TempDir Dir;
  TMountTable Table = TMountTable::Load();
  for (std::string Path : std::vector<std::string>{
           "/", "/proc/self/status", "/dev/shm", "/sys/kernel", "/dev/null", Dir.Path().string()}) {
    const TMountEntry* Entry = Table.Find(ResolvePath(Path));
    ASSERT_TRUE(Entry) << Path;
    std::string Target = RunTool({"findmnt", "-n", "-o", "TARGET", "-T", Path});
    if (Target.empty()) GTEST_SKIP() << "findmnt is not installed";
    std::string FsType = RunTool({"findmnt", "-n", "-o", "FSTYPE", "-T", Path});
    // Of stacked mounts findmnt lists each; the last is the one in use.
    EXPECT_EQ(Entry->MountPoint, Target.substr(Target.rfind('\n') + 1)) << Path;
    EXPECT_EQ(Entry->FsType, FsType.substr(FsType.rfind('\n') + 1)) << Path;
  }
  // A name that does not exist yet lies where its folder lies.
  EXPECT_EQ(ResolvePath(Dir.Path().string() + "/./not/../there"),
            ResolvePath(Dir.Path().string()) + "/not/../there");
  EXPECT_EQ(Table.Find(ResolvePath(Dir.Path().string() + "/not/there")),
            Table.Find(ResolvePath(Dir.Path().string())));
}

TEST(DesktopEntry, LinkTargets) {
  struct {
    const char *Text, *Target;
  } Cases[] = {
      {"[Desktop Entry]\nType=Link\nURL=https://example.org/a?b=1\n", "https://example.org/a?b=1"},
      {"[Desktop Entry]\r\nType = Link\r\nURL=file:///home/u/My%20Docs/a%25b.txt\r\n",
       "/home/u/My Docs/a%b.txt"},
      {"[Desktop Entry]\nType=Link\nURL=file://localhost/tmp/x\n", "/tmp/x"},
      {"[Desktop Entry]\nType=Link\nURL=file://otherhost/tmp/x\n", "file://otherhost/tmp/x"},
      {"[Desktop Entry]\nType=Link\nURL=file:///bad%zzescape%4\n", "/bad%zzescape%4"},
      {"[Desktop Entry]\nType=Link\nURL=smb://srv/share/with\\sblank\n",
       "smb://srv/share/with blank"},
      {"# comment\n[Other]\nType=Link\nURL=/wrong\n[Desktop Entry]\nType=Link\nURL=/right\n",
       "/right"},
      {"[Desktop Entry]\nType=Application\nExec=/bin/true\nURL=/x\n", ""},
      {"[Desktop Entry]\nType=Link\nURL[de]=/localised\n", ""},
      {"garbage without groups", ""},
  };
  for (const auto& Case : Cases) EXPECT_EQ(DesktopLinkTarget(Case.Text), Case.Target) << Case.Text;
}

TEST(UserDirs, AgreeWithXdgUserDir) {
  vesktest::TempDir Home;
  vesktest::ScopedEnv HomeVar("HOME", Home.Path().c_str());
  vesktest::ScopedEnv Config("XDG_CONFIG_HOME", (Home.Path() / "cfg").c_str());
  std::filesystem::create_directories(Home.Path() / "cfg");
  vesktest::WriteFileText(Home.Path() / "cfg/user-dirs.dirs",
                          "# written by xdg-user-dirs-update\n"
                          "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                          "XDG_DOCUMENTS_DIR=\"$HOME/My Documents\"\n"
                          "XDG_MUSIC_DIR=\"/srv/music\"\n"
                          "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
  for (const char* Name : {"DESKTOP", "DOCUMENTS", "MUSIC", "PICTURES", "VIDEOS", "TEMPLATES"}) {
    std::string Expected = RunTool({"xdg-user-dir", Name});
    if (Expected.empty()) GTEST_SKIP() << "xdg-user-dir is not installed";
    EXPECT_EQ(UserDir(Name), Expected) << Name;
  }
  auto Dirs = ParseUserDirs(
      "XDG_A_DIR=\"relative\"\nXDG_B_DIR=unquoted\nXDG_C_DIR=\"$HOMEX/y\"\n"
      "XDG_D_DIR=\"/q\\\"uote\"\nXDG__DIR=\"/x\"\nXDG_E_DIR=\"/open",
      "/h");
  EXPECT_EQ(Dirs, (std::map<std::string, std::string>{{"D", "/q\"uote"}}));
}

// A shell link as Windows writes one: header, LinkInfo with a local path, a network share and a
// common path suffix, in 8-bit or (with the longer header) UTF-16 form.
std::string MakeShellLink(const std::string& Local, const std::string& Share,
                          const std::string& Suffix, bool Wide) {
  auto Text = [&](const std::string& S) {
    std::string Out;
    for (char C : S) {
      Out += C;
      if (Wide) Out += '\0';
    }
    return Out + (Wide ? std::string(2, '\0') : std::string(1, '\0'));
  };
  std::vector<uint8_t> Link;
  PutLE32(Link, 0x4C);
  const uint8_t Clsid[] = {1, 0x14, 2, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  Link.insert(Link.end(), Clsid, Clsid + 16);
  PutLE32(Link, 0x2);  // HasLinkInfo
  Link.resize(0x4C);
  uint32_t HeaderSize = Wide ? 0x24 : 0x1C;
  std::string Network = std::string(0x14, '\0') + std::string(Share) + '\0';
  std::string Data[] = {
      std::string(0x10, '\0'),  Wide ? "" : Text(Local), Network,
      Wide ? "" : Text(Suffix), Wide ? Text(Local) : "", Wide ? Text(Suffix) : ""};
  std::vector<uint32_t> Offsets;
  uint32_t Pos = HeaderSize;
  for (const std::string& Part : Data) {
    Offsets.push_back(Part.empty() ? 0 : Pos);
    Pos += static_cast<uint32_t>(Part.size());
  }
  // The network block: its size and the name's offset.
  for (int Byte = 0; Byte < 4; ++Byte) {
    Data[2][Byte] = static_cast<char>(Network.size() >> (8 * Byte));
    Data[2][8 + Byte] = static_cast<char>(0x14 >> (8 * Byte));
  }
  std::vector<uint8_t> Info;
  PutLE32(Info, Pos);
  PutLE32(Info, HeaderSize);
  PutLE32(Info, (Local.empty() ? 0 : 1) | (Share.empty() ? 0 : 2));
  for (int Part : {0, 1, 2, 3}) PutLE32(Info, Offsets[static_cast<size_t>(Part)]);
  if (Wide) PutLE32(Info, Offsets[4]), PutLE32(Info, Offsets[5]);
  for (const std::string& Part : Data) Info.insert(Info.end(), Part.begin(), Part.end());
  Link.insert(Link.end(), Info.begin(), Info.end());
  return std::string(Link.begin(), Link.end());
}

TEST(ShellLink, ReadsLocalAndNetworkTargets) {
  struct {
    std::string Bytes;
    bool Valid;
    const char* Local = "";
    const char* Network = "";
  } Cases[] = {
      {MakeShellLink("C:\\Data\\", "\\\\srv\\share", "a.doc", false), true, "C:\\Data\\a.doc",
       "\\\\srv\\share\\a.doc"},
      {MakeShellLink("C:\\Data\\Caf\xe9.txt", "", "", false), true, "C:\\Data\\Caf\xc3\xa9.txt",
       ""},
      {MakeShellLink("D:\\x\\", "", "y z.pdf", true), true, "D:\\x\\y z.pdf", ""},
      {MakeShellLink("", "\\\\srv\\share\\", "dir\\f.xls", false), true, "",
       "\\\\srv\\share\\dir\\f.xls"},
      {"", false},
      {std::string(0x4C, '\0'), false},
  };
  for (const auto& Case : Cases) {
    TShellLinkTarget Target;
    ASSERT_EQ(ReadShellLink(Case.Bytes, Target), Case.Valid) << Case.Local << Case.Network;
    EXPECT_EQ(Target.LocalPath, Case.Local);
    EXPECT_EQ(Target.NetworkPath, Case.Network);
  }
  // Cut anywhere, a link is refused or read within its bytes, never past them.
  std::string Whole = MakeShellLink("C:\\Data\\", "\\\\srv\\share", "a.doc", true);
  for (size_t Size = 0; Size < Whole.size(); ++Size) {
    TShellLinkTarget Target;
    ReadShellLink(std::string_view(Whole).substr(0, Size), Target);
  }
}

}  // namespace
