// File tests and moves, the open-file test against other processes' locks, media attributes
// against findmnt and lsblk, and the single-instance check across processes.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "DesktopFixture.h"
#include "ErrorOf.h"
#include "FileText.h"
#include "ForkedChild.h"
#include "Sonst.h"
#include "Spawn.h"
#include "SysUtils.h"
#include "TempDir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using vesktest::ReadFileText;
using vesktest::WriteFileText;

using vesktest::ForkedChild;

class SonstFiles : public vesktest::DesktopTest {
 protected:
  vesktest::TempDir Dir;
};

TEST_F(SonstFiles, ValidFilenameNeverHarmsAFile) {
  std::string Existing = Dir.Write("existing.txt", "keep me");
  EXPECT_TRUE(ValidFilename(Existing));
  EXPECT_EQ(ReadFileText(Existing), "keep me");
  EXPECT_TRUE(ValidFilename(Dir.File("new.txt")));
  EXPECT_FALSE(fs::exists(Dir.File("new.txt")));
  EXPECT_FALSE(ValidFilename(Dir.File("no/folder.txt")));
  EXPECT_FALSE(ValidFilename("x"));
  auto Before = fs::current_path();
  EXPECT_TRUE(PathExist(Dir.Path().string()));
  EXPECT_FALSE(PathExist(Existing));
  EXPECT_FALSE(PathExist(Dir.File("missing")));
  EXPECT_EQ(fs::current_path(), Before);
}

TEST_F(SonstFiles, ChangeExtensionRenamesOrChangesNothing) {
  std::string Doc = Dir.Write("a.txt", "text");
  EXPECT_EQ(ChangeExtension(Doc, ".txt"), Doc);
  EXPECT_EQ(ReadFileText(Doc), "text");
  Dir.Write("a.bak", "old backup");
  EXPECT_EQ(ChangeExtension(Doc, ".bak"), Dir.File("a.bak"));
  EXPECT_EQ(ReadFileText(Dir.File("a.bak")), "text");
  EXPECT_FALSE(fs::exists(Doc));
  // The new name is taken by a folder with files in it: nothing may be lost.
  fs::create_directory(Dir.File("a.old"));
  Dir.Write("a.old/inside", "safe");
  EXPECT_EQ(ChangeExtension(Dir.File("a.bak"), ".old"), Dir.File("a.bak"));
  EXPECT_EQ(ReadFileText(Dir.File("a.bak")), "text");
  EXPECT_EQ(ReadFileText(Dir.File("a.old/inside")), "safe");
}

TEST_F(SonstFiles, CopyAndDelSourceMovesWholeFilesOnly) {
  std::string Source = Dir.Write("report.pdf", std::string(100000, 'r'));
  chmod(Source.c_str(), 0640);
  timespec Times[2] = {{1000000000, 0}, {1200000000, 500}};
  utimensat(AT_FDCWD, Source.c_str(), Times, 0);
  fs::create_directory(Dir.File("dest"));
  // Into the file's own folder: the copy would be the source itself.
  EXPECT_FALSE(CopyAndDelSource(Source, Dir.Path().string()));
  EXPECT_TRUE(fs::exists(Source));
  EXPECT_TRUE(CopyAndDelSource(Source, Dir.File("dest")));
  EXPECT_FALSE(fs::exists(Source));
  std::string Moved = Dir.File("dest/report.pdf");
  EXPECT_EQ(ReadFileText(Moved), std::string(100000, 'r'));
  struct stat Info;
  ASSERT_EQ(stat(Moved.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0640u);
  EXPECT_EQ(Info.st_mtim.tv_sec, 1200000000);
  EXPECT_EQ(fs::directory_iterator(Dir.File("dest"))->path().filename(), "report.pdf");
  EXPECT_FALSE(CopyAndDelSource(Dir.File("missing"), Dir.File("dest")));

  // A file size limit stops the copy part-way in a child process.
  std::string Big = Dir.Write("big.bin", std::string(200000, 'b'));
  fs::create_directory(Dir.File("limited"));
  ForkedChild Limited([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit Limit{50000, 50000};
    setrlimit(RLIMIT_FSIZE, &Limit);
    return CopyAndDelSource(Big, Dir.File("limited")) ? "the copy reported success" : "";
  });
  EXPECT_EQ(Limited.Answer(), "");
  EXPECT_EQ(ReadFileText(Big).size(), 200000u);
  EXPECT_TRUE(fs::is_empty(Dir.File("limited")));
}

TEST_F(SonstFiles, EqualFilesComparesSizeTimeAndPermissionsOnly) {
  std::string A = Dir.Write("a", "same"), B = Dir.Write("b", "diff");
  timespec Times[2] = {{1000000000, 0}, {1100000000, 0}};
  utimensat(AT_FDCWD, A.c_str(), Times, 0);
  utimensat(AT_FDCWD, B.c_str(), Times, 0);
  EXPECT_TRUE(EqualFiles(A, B));
  chmod(A.c_str(), 0644);
  chmod(B.c_str(), 0600);
  EXPECT_FALSE(EqualFiles(A, B));
  EXPECT_FALSE(EqualFiles(A, Dir.File("missing")));
}

TEST_F(SonstFiles, IstOpenFileSeesOtherProcessesLocks) {
  std::string Doc = Dir.Write("doc.odt", "content");
  EXPECT_FALSE(IstOpenFile(Doc));
  EXPECT_FALSE(IstOpenFile(Dir.File("missing")));
  // A record lock and a whole-file lock, each let go when its holder dies.
  for (bool Record : {true, false}) {
    ForkedChild Holder(
        [&] {
          int Fd = open(Doc.c_str(), O_RDWR);
          struct flock Lock = {};
          Lock.l_type = F_WRLCK;
          return (Record ? fcntl(Fd, F_SETLK, &Lock) : flock(Fd, LOCK_EX | LOCK_NB)) == 0 ? "x"
                                                                                          : "!";
        },
        ForkedChild::StayUntilKilled);
    ASSERT_EQ(Holder.Answer(), "x");
    EXPECT_TRUE(IstOpenFile(Doc)) << Record;
    Holder.Kill();
    EXPECT_FALSE(IstOpenFile(Doc)) << Record;
  }
  Dir.Write(".~lock.doc.odt#", ",user,host,01.01.2024 10:00,user;");
  EXPECT_TRUE(IstOpenFile(Doc));
  // Read-only files are not taken for files in use.
  std::string ReadOnly = Dir.Write("readonly.txt", "x");
  chmod(ReadOnly.c_str(), 0444);
  EXPECT_FALSE(IstOpenFile(ReadOnly));
}

std::string Tool(std::vector<std::string> Argv) {
  Argv[0] = FindProgram(Argv[0]);
  std::string Output;
  if (Argv[0].empty() || RunCaptured(Argv, "", Output, 10s) != 0) return "";
  return Trim(Output.substr(Output.rfind('\n', Output.size() - 2) + 1));
}

TEST_F(SonstFiles, MediaAttributesAgreeWithFindmntAndLsblk) {
  for (std::string Where :
       {std::string("/"), std::string("/dev/shm"), std::string("/proc"), Dir.Path().string()}) {
    std::string Options = Tool({"findmnt", "-n", "-o", "OPTIONS", "-T", Where});
    if (Options.empty()) GTEST_SKIP() << "findmnt is not installed";
    bool ReadOnly = Options.rfind("ro", 0) == 0 && (Options.size() == 2 || Options[2] == ',');
    bool Removable = false;
    std::string Source = Tool({"findmnt", "-n", "-o", "SOURCE", "-T", Where});
    struct stat Device;
    if (stat(Source.c_str(), &Device) == 0 && S_ISBLK(Device.st_mode)) {
      std::string Flags = Tool({"lsblk", "-n", "-d", "-o", "RM,RO", Source});
      Removable = Flags.rfind('1', 0) == 0;
      ReadOnly = ReadOnly || Flags.back() == '1';
    }
    EXPECT_EQ(IsOnReadOnlyMedia(Where), ReadOnly) << Where;
    EXPECT_EQ(IsOnRemovableMedia(Where), Removable) << Where;
  }
}

TEST_F(SonstFiles, DirCreationDate) {
  Clock.Time = Now();
  EXPECT_NEAR(DirCreationDate(Dir.Path().string()), Now(), 3.0 / 86400);
  EXPECT_NEAR(DirAge(Dir.Path().string()), 0, 3.0 / 86400);
  EXPECT_EQ(DirCreationDate(Dir.Write("file", "")), -1);
  EXPECT_EQ(DirCreationDate(Dir.File("missing")), -1);
}

class SingleInstance : public SonstFiles {
 protected:
  SingleInstance() : FRuntime("XDG_RUNTIME_DIR", Dir.Path().c_str()) { App.Handle = 0x4711; }

  // A check in a child process, which keeps what it got until killed: "T" when the name was
  // taken.
  std::unique_ptr<ForkedChild> CheckInChild(const std::string& Name) {
    return std::make_unique<ForkedChild>(
        [this, Name] { return CheckAppAlreadyRunning(Name, App, false, false) ? "T" : "F"; },
        ForkedChild::StayUntilKilled);
  }

 private:
  vesktest::ScopedEnv FRuntime;
};

class RecordingActivator : public TAppActivator {
 public:
  void Activate(HWND Window, int ProcessId) override { Calls.push_back({Window, ProcessId}); }
  std::vector<std::pair<HWND, int>> Calls;
};

TEST_F(SingleInstance, OnlyTheFirstProcessHoldsTheNameUntilItDies) {
  auto First = CheckInChild("Vesk");
  EXPECT_EQ(First->Answer(), "F");
  EXPECT_EQ(CheckInChild("Vesk")->Answer(), "T");
  RecordingActivator Activator;
  TScopedFacility<TAppActivator> Installed(Activator);
  EXPECT_TRUE(CheckAppAlreadyRunning("Vesk", App, true, true));
  ASSERT_EQ(Activator.Calls.size(), 1u);
  EXPECT_EQ(Activator.Calls[0].first, 0x4711u);
  First->Kill();
  EXPECT_FALSE(CheckAppAlreadyRunning("Vesk", App, false, true));
  EXPECT_EQ(CheckInChild("Vesk")->Answer(), "F") << "closing the mapping let the name go";
}

TEST_F(SingleInstance, OfProcessesStartingTogetherExactlyOneHoldsTheName) {
  std::vector<std::unique_ptr<ForkedChild>> Children;
  for (int Index = 0; Index < 6; ++Index) Children.push_back(CheckInChild("Together"));
  std::string Answers;
  for (auto& Started : Children) Answers += Started->Answer();
  EXPECT_EQ(std::count(Answers.begin(), Answers.end(), 'F'), 1) << Answers;
  EXPECT_EQ(std::count(Answers.begin(), Answers.end(), 'T'), 5) << Answers;
}

TEST_F(SingleInstance, NamesNeverBecomePathsAndTheFolderIsNeverFollowed) {
  EXPECT_FALSE(CheckAppAlreadyRunning("../../etc/x", App, false, true));
  EXPECT_TRUE(fs::exists(Dir.Path() / "%2E%2E%2F%2E%2E%2Fetc%2Fx.lock"));
  fs::create_directory(Dir.File("real"));
  fs::create_directory_symlink(Dir.File("real"), Dir.File("link"));
  vesktest::ScopedEnv Linked("XDG_RUNTIME_DIR", Dir.File("link").c_str());
  EXPECT_EQ(vesktest::ErrorOf<Exception>([&] { CheckAppAlreadyRunning("Vesk", App, false, true); }),
            "CheckAppAlreadyRunning: can't create file mapping");
  EXPECT_TRUE(fs::is_empty(Dir.File("real")));
  SonstFinalize();
}

}  // namespace
