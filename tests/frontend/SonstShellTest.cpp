// Programs and documents, links, user folders, the clipboard URL, network names, error texts,
// versions and URL checks.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "Clipboard.h"
#include "DesktopFixture.h"
#include "FileText.h"
#include "ForkedChild.h"
#include "Registry.h"
#include "ShellLauncher.h"
#include "Sonst.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// ExecuteFile hands the launcher the program unquoted, its parameters split off unless given.
TEST(SonstShell, ParseExeFileSplitsAfterTheExtension) {
  struct {
    const char *CmdLine, *Exe, *Params, *Opened;
  } Cases[] = {
      {"notepad.exe readme.txt", "notepad.exe", "readme.txt", "notepad.exe"},
      {"\"C:\\Prog\\a.exe\" -x", "\"C:\\Prog\\a.exe\"", "-x", "C:\\Prog\\a.exe"},
      {"  C:\\RUN.BAT   a b", "C:\\RUN.BAT", "a b", "C:\\RUN.BAT"},
      {"tool.exe", "tool.exe", "", "tool.exe"},
      {"/usr/bin/gedit file.txt", "/usr/bin/gedit file.txt", "", "/usr/bin/gedit file.txt"},
      {".exe file", ".exe file", "", ".exe file"},
  };
  vesktest::RecordingLauncher Launcher;
  TScopedFacility<TShellLauncher> Installed(Launcher);
  for (const auto& Case : Cases) {
    std::string Exe, Params;
    ParseExeFile(Case.CmdLine, Exe, Params);
    EXPECT_EQ(Exe, Case.Exe) << Case.CmdLine;
    EXPECT_EQ(Params, Case.Params) << Case.CmdLine;
    EXPECT_EQ(RemoveParameters(Case.CmdLine), Case.Exe);
    EXPECT_EQ(ExecuteFile(Case.CmdLine, "", "/tmp", 3), SE_OPEN_SUCCEEDED);
    const TShellOpenRequest& Request = Launcher.Requests.back();
    EXPECT_EQ(Request.File + "|" + Request.Params + "|" + Request.Directory,
              std::string(Case.Opened) + "|" + Case.Params + "|/tmp")
        << Case.CmdLine;
    EXPECT_EQ(Request.Show, 3);
  }
  ExecuteFile("report.exe", "--page 2", "", 1);
  EXPECT_EQ(Launcher.Requests.back().Params, "--page 2");
}

class SonstLinks : public vesktest::DesktopTest {
 protected:
  vesktest::TempDir Dir;
};

TEST_F(SonstLinks, GetLinkedFileNameFollowsEveryKindOfLink) {
  std::string Target = Dir.Write("target.txt", "x");
  fs::create_symlink(Target, Dir.Path() / "sym");
  Dir.Write("doc.DESKTOP", "[Desktop Entry]\nType=Link\nURL=file:///srv/My%20Doc.odt\n");
  Dir.Write("fake.lnk", "not a shell link");
  const std::pair<const char*, std::string> Cases[] = {{"sym", Target},
                                                       {"doc.DESKTOP", "/srv/My Doc.odt"},
                                                       {"fake.lnk", ""},
                                                       {"target.txt", ""},
                                                       {"missing", ""}};
  std::string Folder = Dir.Path().string();
  for (const auto& [Name, Expected] : Cases) EXPECT_EQ(GetLinkedFileName(Folder, Name), Expected);
}

TEST_F(SonstLinks, ShellFoldersComeFromTheRegistryThenTheXdgFolders) {
  vesktest::ScopedEnv Home("HOME", Dir.Path().c_str());
  vesktest::ScopedEnv Config("XDG_CONFIG_HOME", (Dir.Path() / "cfg").c_str());
  vesktest::ScopedEnv Cache("XDG_CACHE_HOME", nullptr);
  fs::create_directories(Dir.Path() / "cfg");
  Dir.Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  {
    TRegistry Registry;
    Registry.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", true);
    Registry.WriteString("My Music", "/srv/music");
  }
  std::string Home_ = Dir.Path().string();
  const std::pair<const char*, std::string> Cases[] = {
      {"Personal", Home_ + "/Dokumente/"}, {"Desktop", Home_ + "/Desktop/"},
      {"my music", "/srv/music/"},         {"AppData", Home_ + "/cfg/"},
      {"Cache", Home_ + "/.cache/"},       {"Fonts", ""}};
  for (const auto& [Name, Expected] : Cases) EXPECT_EQ(GetShellFolder(Name), Expected) << Name;
}

TEST(SonstShell, URLFromClipBoard) {
  struct {
    const char* Text;
    bool IsUrl;
    const char *Url, *Kind;
  } Cases[] = {
      {nullptr, false, "", "unkown"},
      {"HTTP://WWW.Example.ORG/Path/File.HTML?Q=A", true,
       "http://www.example.org/Path/File.HTML?Q=A", "URL"},
      {"https://User@Host.DE:8080", true, "https://User@host.de:8080", "URL"},
      {"httpx://example.org/", false, "", "unknown"},
      {"ftp://example.org/", false, "", "unknown"},
      {"see http://example.org", false, "", "unknown"},
  };
  for (const auto& Case : Cases) {
    TClipboard Board;
    TScopedFacility<TClipboard> Installed(Board);
    if (Case.Text) Board.SetAsText(Case.Text);
    std::string Url = "old", Kind;
    EXPECT_EQ(URLFromClipBoard(Url, Kind, true), Case.IsUrl);
    EXPECT_EQ(Url, Case.Url);
    EXPECT_EQ(Kind, Case.Kind);
    EXPECT_EQ(Board.HasText(), Case.Text && !Case.IsUrl) << "cleared only after a URL";
  }
}

TEST(SonstShell, NetworkNamesFromTheMountTable) {
  vesktest::TempDir Dir;
  std::string Table = (Dir.Path() / "mountinfo").string();
  vesktest::WriteFileText(Table,
                          "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                          "2 1 0:40 / /mnt/team rw - cifs //fileserver/Team rw\n"
                          "3 1 0:41 /sub /mnt/sub\\040dir rw - smb3 //nas/Data rw\n"
                          "4 1 0:42 / /net/home rw - nfs4 files:/export/home rw\n"
                          "5 1 0:43 / /mnt/usb rw - vfat /dev/sdb1 rw\n");
  vesktest::ScopedEnv Mounts("VESK_MOUNTINFO", Table.c_str());
  std::string Computer = GetComputerName();
  struct {
    const char* Name;
    bool LocalAsUNC;
    std::string Expected;
  } Cases[] = {
      {"/mnt/team/Plans/2024.xlsx", false, "\\\\fileserver\\Team\\Plans\\2024.xlsx"},
      {"/mnt/team", false, "\\\\fileserver\\Team"},
      {"/mnt/sub dir/a.txt", false, "\\\\nas\\Data\\sub\\a.txt"},
      {"/net/home/jane/notes.txt", true, "\\\\files\\export\\home\\jane\\notes.txt"},
      {"/mnt/usb/photo.jpg", true, "/mnt/usb/photo.jpg"},
      {"/mnt/teamwork/x", false, "/mnt/teamwork/x"},
      {"C:\\Data\\a.txt", true, "\\\\" + Computer + "\\C\\Data\\a.txt"},
      {"C:\\Data\\a.txt", false, "C:\\Data\\a.txt"},
      {"relative/a.txt", false, ""},
      {"", true, ""},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(GetUNCName(Case.Name, Case.LocalAsUNC), Case.Expected) << Case.Name;
  TStringList Mappings;
  Mappings.Add("stale");
  EXPECT_EQ(GetNetworkDriveMappings(Mappings), 3);
  EXPECT_EQ(Mappings.Text(),
            "\\\\FILESERVER\\TEAM=/mnt/team\r\n\\\\NAS\\DATA\\SUB=/mnt/sub dir\r\n"
            "\\\\FILES\\EXPORT\\HOME=/net/home\r\n");
  vesktest::ScopedEnv Missing("VESK_MOUNTINFO", "/no/such/mountinfo");
  EXPECT_THROW(GetUNCName("/mnt/team/x", false), EOSError);
}

TEST(SonstShell, ErrorTextsVersionsAndNames) {
  EXPECT_EQ(WinErrorAsString(2), "No such file or directory");
  EXPECT_EQ(WinErrorAsString(5), "Permission denied");
  EXPECT_EQ(WinErrorAsString(112), "No space left on device");
  for (int Code : {1200, 2250, 31}) EXPECT_NE(WinErrorAsString(Code), "Unknown error") << Code;
  EXPECT_EQ(WinErrorAsString(99999), "Unknown error");
  uint64_t Version = GetProductVersion();
  EXPECT_EQ(GetAppVersion("%d.%d.%d.%d"),
            Format("%u.%u.%u.%u", unsigned(Version >> 48), unsigned(Version >> 32 & 0xFFFF),
                   unsigned(Version >> 16 & 0xFFFF), unsigned(Version & 0xFFFF)));
  EXPECT_EQ(GetAppVersion("v%d.%d %s 100%%"), GetAppVersion("v%d.%d") + " %s 100%");
  EXPECT_NE(Version, 0u);
}

// A web server on 127.0.0.1 in a child process, answering each path with a fixed status and
// keeping the last request in a file; a silent one accepts no connection.
class LoopbackServer {
 public:
  explicit LoopbackServer(bool Answer) {
    FSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t Size = sizeof Address;
    if (bind(FSocket, reinterpret_cast<sockaddr*>(&Address), Size) != 0 ||
        listen(FSocket, 8) != 0 ||
        getsockname(FSocket, reinterpret_cast<sockaddr*>(&Address), &Size) != 0)
      throw std::runtime_error("no loopback socket");
    FPort = ntohs(Address.sin_port);
    if (Answer)
      FServer = std::make_unique<vesktest::ForkedChild>([this] { return Serve(); },
                                                        vesktest::ForkedChild::StayUntilKilled);
  }
  ~LoopbackServer() {
    FServer.reset();
    close(FSocket);
  }
  std::string Url(const std::string& Path) const {
    return "http://127.0.0.1:" + std::to_string(FPort) + Path;
  }
  int Port() const { return FPort; }
  std::string LastRequest() const { return vesktest::ReadFileText(FDir.File("request")); }

 private:
  std::string Serve() {
    for (int Connection; (Connection = accept(FSocket, nullptr, nullptr)) >= 0; close(Connection)) {
      std::string Request;
      char Buffer[1024];
      ssize_t Got;
      while (Request.find("\r\n\r\n") == std::string::npos &&
             (Got = read(Connection, Buffer, sizeof Buffer)) > 0)
        Request.append(Buffer, static_cast<size_t>(Got));
      FDir.Write("request", Request);
      std::string Status = Request.find(" /ok ") != std::string::npos      ? "200 OK"
                           : Request.find(" /moved ") != std::string::npos ? "302 Found"
                                                                           : "404 Not Found";
      std::string Reply =
          "HTTP/1.1 " + Status + "\r\nLocation: /ok\r\nContent-Length: 5\r\n\r\nhello";
      if (write(Connection, Reply.data(), Reply.size()) < 0) break;
    }
    return "accept failed";
  }

  int FSocket = -1;
  int FPort = 0;
  vesktest::TempDir FDir;
  std::unique_ptr<vesktest::ForkedChild> FServer;
};

TEST(SonstUrl, ChecksAgainstLoopbackServers) {
  vesktest::ScopedEnv NoProxy("no_proxy", "*");
  EXPECT_TRUE(CheckUrl("http://example.org/x"));
  EXPECT_TRUE(CheckUrl("HTTPS://example.org"));
  EXPECT_FALSE(CheckUrl("ftp://example.org"));
  EXPECT_FALSE(CheckUrl("not a url"));
  LoopbackServer Server(true);
  for (const auto& [Given, Expected] : {std::pair{Server.Url("/ok"), true},
                                        {Server.Url("/moved"), true},
                                        {Server.Url("/missing"), false}}) {
    std::string Url = Given;
    EXPECT_EQ(CheckUrlExt(Url, 5s), Expected) << Given;
    EXPECT_EQ(Url, Given);
  }
  EXPECT_NE(Server.LastRequest().find("User-Agent: InetURL:/1.0\r\n"), std::string::npos);
  EXPECT_EQ(Server.LastRequest().rfind("GET /missing ", 0), 0u);
  // TLS against a plain server, and against no server.
  for (std::string Https : {"https://127.0.0.1:" + std::to_string(Server.Port()) + "/ok",
                            std::string("https://127.0.0.1:1/")})
    EXPECT_FALSE(CheckUrlExt(Https, 2s)) << Https;
  std::string NoScheme = Server.Url("/ok").substr(7);
  EXPECT_TRUE(CheckUrlExt(NoScheme, 5s));
  EXPECT_EQ(NoScheme, Server.Url("/ok"));

  LoopbackServer Silent(false);
  std::string Url = Silent.Url("/ok");
  auto Start = std::chrono::steady_clock::now();
  EXPECT_FALSE(CheckUrlExt(Url, 500ms));
  EXPECT_LT(std::chrono::steady_clock::now() - Start, 5s);
}

}  // namespace
