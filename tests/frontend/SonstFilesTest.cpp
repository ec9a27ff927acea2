// File tests and moves, the open-file test against other processes' locks, media attributes
// against findmnt and lsblk, and the single-instance check across processes.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "DesktopFixture.h"
#include "FileText.h"
#include "Sonst.h"
#include "Spawn.h"
#include "SysUtils.h"
#include "TempDir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using vesktest::ReadFileText;
using vesktest::WriteFileText;

// A child process running Body, whose answer (one character) comes back through a pipe; Body
// gets the pipe's end for the programs it starts. The child stays until killed.
class Child {
 public:
  explicit Child(const std::function<char(int AnswerFd)>& Body) {
    int Fds[2];
    if (pipe(Fds) != 0) throw std::runtime_error("pipe");
    FPid = fork();
    if (FPid == 0) {
      close(Fds[0]);
      char Answer = Body(Fds[1]);
      if (write(Fds[1], &Answer, 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    close(Fds[1]);
    FAnswerFd = Fds[0];
  }
  ~Child() {
    Kill();
    if (FAnswerFd >= 0) close(FAnswerFd);
  }
  // Waits for the answer; 0 when the child ended without one.
  char Answer() {
    if (FAnswerFd >= 0 && read(FAnswerFd, &FAnswer, 1) != 1) FAnswer = 0;
    if (FAnswerFd >= 0) close(FAnswerFd);
    FAnswerFd = -1;
    return FAnswer;
  }
  void Kill() {
    if (FPid <= 0) return;
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
    FPid = 0;
  }

 private:
  pid_t FPid = 0;
  int FAnswerFd = -1;
  char FAnswer = 0;
};

class SonstFiles : public vesktest::DesktopTest {
 protected:
  std::string Path(const std::string& Name) const { return (Dir.Path() / Name).string(); }
  std::string Make(const std::string& Name, const std::string& Text) const {
    WriteFileText(Dir.Path() / Name, Text);
    return Path(Name);
  }

  vesktest::TempDir Dir;
};

TEST_F(SonstFiles, ValidFilenameNeverHarmsAFile) {
  std::string Existing = Make("existing.txt", "keep me");
  EXPECT_TRUE(ValidFilename(Existing));
  EXPECT_EQ(ReadFileText(Existing), "keep me");
  EXPECT_TRUE(ValidFilename(Path("new.txt")));
  EXPECT_FALSE(fs::exists(Path("new.txt")));
  EXPECT_FALSE(ValidFilename(Path("no/folder.txt")));
  EXPECT_FALSE(ValidFilename("x"));
  auto Before = fs::current_path();
  EXPECT_TRUE(PathExist(Dir.Path().string()));
  EXPECT_FALSE(PathExist(Existing));
  EXPECT_FALSE(PathExist(Path("missing")));
  EXPECT_EQ(fs::current_path(), Before);
}

TEST_F(SonstFiles, ChangeExtensionRenamesOrChangesNothing) {
  std::string Doc = Make("a.txt", "text");
  EXPECT_EQ(ChangeExtension(Doc, ".txt"), Doc);
  EXPECT_EQ(ReadFileText(Doc), "text");
  Make("a.bak", "old backup");
  EXPECT_EQ(ChangeExtension(Doc, ".bak"), Path("a.bak"));
  EXPECT_EQ(ReadFileText(Path("a.bak")), "text");
  EXPECT_FALSE(fs::exists(Doc));
  // The new name is taken by a folder with files in it: nothing may be lost.
  fs::create_directory(Path("a.old"));
  Make("a.old/inside", "safe");
  EXPECT_EQ(ChangeExtension(Path("a.bak"), ".old"), Path("a.bak"));
  EXPECT_EQ(ReadFileText(Path("a.bak")), "text");
  EXPECT_EQ(ReadFileText(Path("a.old/inside")), "safe");
}

TEST_F(SonstFiles, CopyAndDelSourceMovesWholeFilesOnly) {
  std::string Source = Make("report.pdf", std::string(100000, 'r'));
  chmod(Source.c_str(), 0640);
  timespec Times[2] = {{1000000000, 0}, {1200000000, 500}};
  utimensat(AT_FDCWD, Source.c_str(), Times, 0);
  fs::create_directory(Path("dest"));
  // Into the file's own folder: the copy would be the source itself.
  EXPECT_FALSE(CopyAndDelSource(Source, Dir.Path().string()));
  EXPECT_TRUE(fs::exists(Source));
  EXPECT_TRUE(CopyAndDelSource(Source, Path("dest")));
  EXPECT_FALSE(fs::exists(Source));
  std::string Moved = Path("dest/report.pdf");
  EXPECT_EQ(ReadFileText(Moved), std::string(100000, 'r'));
  struct stat Info;
  ASSERT_EQ(stat(Moved.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0640u);
  EXPECT_EQ(Info.st_mtim.tv_sec, 1200000000);
  EXPECT_EQ(fs::directory_iterator(Path("dest"))->path().filename(), "report.pdf");
  EXPECT_FALSE(CopyAndDelSource(Path("missing"), Path("dest")));

  // A file size limit stops the copy part-way in a child process.
  std::string Big = Make("big.bin", std::string(200000, 'b'));
  fs::create_directory(Path("limited"));
  pid_t Pid = fork();
  if (Pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit Limit{50000, 50000};
    setrlimit(RLIMIT_FSIZE, &Limit);
    _exit(CopyAndDelSource(Big, Path("limited")) ? 1 : 0);
  }
  int Status = -1;
  waitpid(Pid, &Status, 0);
  EXPECT_EQ(Status, 0) << "the copy reported success";
  EXPECT_EQ(ReadFileText(Big).size(), 200000u);
  EXPECT_TRUE(fs::is_empty(Path("limited")));
}

TEST_F(SonstFiles, EqualFilesComparesSizeTimeAndPermissionsOnly) {
  std::string A = Make("a", "same"), B = Make("b", "diff");
  timespec Times[2] = {{1000000000, 0}, {1100000000, 0}};
  utimensat(AT_FDCWD, A.c_str(), Times, 0);
  utimensat(AT_FDCWD, B.c_str(), Times, 0);
  EXPECT_TRUE(EqualFiles(A, B));
  chmod(A.c_str(), 0644);
  chmod(B.c_str(), 0600);
  EXPECT_FALSE(EqualFiles(A, B));
  EXPECT_FALSE(EqualFiles(A, Path("missing")));
}

TEST_F(SonstFiles, IstOpenFileSeesOtherProcessesLocks) {
  std::string Doc = Make("doc.odt", "content");
  EXPECT_FALSE(IstOpenFile(Doc));
  EXPECT_FALSE(IstOpenFile(Path("missing")));
  {
    Child Holder([&](int) {
      int Fd = open(Doc.c_str(), O_RDWR);
      struct flock Lock = {};
      Lock.l_type = F_WRLCK;
      return fcntl(Fd, F_SETLK, &Lock) == 0 ? 'x' : '!';
    });
    ASSERT_EQ(Holder.Answer(), 'x');
    EXPECT_TRUE(IstOpenFile(Doc));
    Holder.Kill();
    EXPECT_FALSE(IstOpenFile(Doc));
  }
  std::string FlockTool = FindProgram("flock");
  if (!FlockTool.empty()) {
    Child Holder([&](int AnswerFd) {
      // -o: only flock itself holds the lock, so killing it lets go.
      std::string Script = "printf x >&" + std::to_string(AnswerFd) + "; exec sleep 20";
      execl(FlockTool.c_str(), "flock", "-o", Doc.c_str(), "sh", "-c", Script.c_str(), nullptr);
      return '!';
    });
    ASSERT_EQ(Holder.Answer(), 'x');
    EXPECT_TRUE(IstOpenFile(Doc));
    Holder.Kill();
    EXPECT_FALSE(IstOpenFile(Doc));
  }
  Make(".~lock.doc.odt#", ",user,host,01.01.2024 10:00,user;");
  EXPECT_TRUE(IstOpenFile(Doc));
  // Read-only files are not taken for files in use.
  std::string ReadOnly = Make("readonly.txt", "x");
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
  EXPECT_EQ(DirCreationDate(Make("file", "")), -1);
  EXPECT_EQ(DirCreationDate(Path("missing")), -1);
}

class SingleInstance : public SonstFiles {
 protected:
  SingleInstance() : FRuntime("XDG_RUNTIME_DIR", Dir.Path().c_str()) { App.Handle = 0x4711; }

  // A check in a child process, which keeps what it got until killed: 'T' when the name was
  // taken.
  std::unique_ptr<Child> CheckInChild(const std::string& Name) {
    return std::make_unique<Child>(
        [this, Name](int) { return CheckAppAlreadyRunning(Name, App, false, false) ? 'T' : 'F'; });
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
  EXPECT_EQ(First->Answer(), 'F');
  EXPECT_EQ(CheckInChild("Vesk")->Answer(), 'T');
  RecordingActivator Activator;
  TScopedFacility<TAppActivator> Installed(Activator);
  EXPECT_TRUE(CheckAppAlreadyRunning("Vesk", App, true, true));
  ASSERT_EQ(Activator.Calls.size(), 1u);
  EXPECT_EQ(Activator.Calls[0].first, 0x4711u);
  First->Kill();
  EXPECT_FALSE(CheckAppAlreadyRunning("Vesk", App, false, true));
  EXPECT_EQ(CheckInChild("Vesk")->Answer(), 'F') << "closing the mapping let the name go";
}

TEST_F(SingleInstance, OfProcessesStartingTogetherExactlyOneHoldsTheName) {
  std::vector<std::unique_ptr<Child>> Children;
  for (int Index = 0; Index < 6; ++Index) Children.push_back(CheckInChild("Together"));
  std::string Answers;
  for (auto& Started : Children) Answers += Started->Answer();
  EXPECT_EQ(std::count(Answers.begin(), Answers.end(), 'F'), 1) << Answers;
  EXPECT_EQ(std::count(Answers.begin(), Answers.end(), 'T'), 5) << Answers;
}

TEST_F(SingleInstance, NamesNeverBecomePathsAndTheFolderIsNeverFollowed) {
  EXPECT_FALSE(CheckAppAlreadyRunning("../../etc/x", App, false, true));
  EXPECT_TRUE(fs::exists(Dir.Path() / "%2E%2E%2F%2E%2E%2Fetc%2Fx.lock"));
  fs::create_directory(Path("real"));
  fs::create_directory_symlink(Path("real"), Path("link"));
  vesktest::ScopedEnv Linked("XDG_RUNTIME_DIR", Path("link").c_str());
  try {
    CheckAppAlreadyRunning("Vesk", App, false, true);
    FAIL() << "the folder was followed";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "CheckAppAlreadyRunning: can't create file mapping");
  }
  EXPECT_TRUE(fs::is_empty(Path("real")));
  SonstFinalize();
}

}  // namespace
