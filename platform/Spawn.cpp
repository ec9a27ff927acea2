#include "Spawn.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <pthread.h>

#include <cstdlib>
#include <mutex>

#include "FileHandle.h"
#include "SysUtils.h"

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

bool IsExecutableFile(const std::string& Path) {
  struct stat Info;
  return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) && access(Path.c_str(), X_OK) == 0;
}

std::vector<char*> ArgvPointers(const std::vector<std::string>& Argv) {
  std::vector<char*> Pointers;
  for (const std::string& Arg : Argv) Pointers.push_back(const_cast<char*>(Arg.c_str()));
  Pointers.push_back(nullptr);
  return Pointers;
}

struct TPipe {
  TFileHandle Read;
  TFileHandle Write;
};

bool MakePipe(TPipe& Pipe) {
  int Fds[2];
  if (pipe2(Fds, O_CLOEXEC) != 0) return false;
  Pipe.Read.Reset(Fds[0]);
  Pipe.Write.Reset(Fds[1]);
  return true;
}

int MillisecondsLeft(TClock::time_point Deadline) {
  auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now());
  return Left.count() < 0 ? 0 : static_cast<int>(Left.count());
}

// Reads whatever arrives on Fd until its end or the deadline; false at the deadline.
bool ReadUntilEnd(int Fd, std::string& Out, TClock::time_point Deadline) {
  char Buffer[4096];
  for (;;) {
    pollfd Wait{Fd, POLLIN, 0};
    int Ready = poll(&Wait, 1, MillisecondsLeft(Deadline));
    if (Ready < 0 && errno == EINTR) continue;
    if (Ready <= 0) return false;
    ssize_t Got = read(Fd, Buffer, sizeof Buffer);
    if (Got < 0 && errno == EINTR) continue;
    if (Got <= 0) return true;
    Out.append(Buffer, static_cast<size_t>(Got));
  }
}

void WriteAll(int Fd, const void* Data, size_t Size) {
  const char* Bytes = static_cast<const char*>(Data);
  while (Size > 0) {
    ssize_t Done = write(Fd, Bytes, Size);
    if (Done < 0 && errno == EINTR) continue;
    if (Done <= 0) return;
    Bytes += Done;
    Size -= static_cast<size_t>(Done);
  }
}

struct TReport {
  char Kind;  // 'E': the start failed
  int Value;
};

int ExitStatusOf(int WaitStatus) {
  return WIFEXITED(WaitStatus) ? WEXITSTATUS(WaitStatus) : 128 + WTERMSIG(WaitStatus);
}

// The grandchild: becomes the program, or reports why not. Only async-signal-safe calls.
[[noreturn]] void ExecProgram(char* const* Argv, const char* Directory, int ReportFd) {
  int Null = open("/dev/null", O_RDONLY);
  if (Null >= 0) dup2(Null, STDIN_FILENO);
  if (*Directory && chdir(Directory) != 0) {
    TReport Report{'E', errno};
    WriteAll(ReportFd, &Report, sizeof Report);
    _exit(127);
  }
  execv(Argv[0], Argv);
  TReport Report{'E', errno};
  WriteAll(ReportFd, &Report, sizeof Report);
  _exit(127);
}

// The child between us and the program: it leaves our session, starts the program and goes, so
// the program is never our zombie. Only async-signal-safe calls.
[[noreturn]] void RunIntermediate(char* const* Argv, const char* Directory, int ReportFd) {
  setsid();
  pid_t Program = fork();
  if (Program == 0) ExecProgram(Argv, Directory, ReportFd);
  if (Program < 0) {
    TReport Report{'E', errno};
    WriteAll(ReportFd, &Report, sizeof Report);
    _exit(127);
  }
  _exit(0);
}

// The start's report: the errno of a failed start, if any came.
TSpawnResult ResultOf(const std::string& Reports) {
  if (Reports.size() < sizeof(TReport)) return {};
  TReport Report;
  Reports.copy(reinterpret_cast<char*>(&Report), sizeof Report);
  return {TSpawnResult::skExecFailed, Report.Value, 0};
}

// Blocks SIGPIPE in this thread for its life, so that writing to a program that stopped reading
// fails with EPIPE instead of ending the process; a signal raised meanwhile is consumed.
class TPipeSignalBlock {
 public:
  TPipeSignalBlock() {
    sigemptyset(&FPipe);
    sigaddset(&FPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &FPipe, &FOld);
  }
  ~TPipeSignalBlock() {
    timespec NoWait{0, 0};
    while (sigtimedwait(&FPipe, nullptr, &NoWait) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &FOld, nullptr);
  }

 private:
  sigset_t FPipe;
  sigset_t FOld;
};

// Feeds Input to In and collects Out until its end; false at the deadline.
bool Exchange(TFileHandle& In, int Out, const std::string& Input, std::string& Output,
              TClock::time_point Deadline) {
  TPipeSignalBlock NoPipeSignal;
  fcntl(In.Get(), F_SETFL, O_NONBLOCK);
  size_t Written = 0;
  if (Input.empty()) In.Close();
  char Buffer[4096];
  for (;;) {
    pollfd Wait[2] = {{Out, POLLIN, 0}, {In.Get(), POLLOUT, 0}};
    int Ready = poll(Wait, In.Get() >= 0 ? 2 : 1, MillisecondsLeft(Deadline));
    if (Ready < 0 && errno == EINTR) continue;
    if (Ready <= 0) return false;
    if (Wait[1].revents) {
      ssize_t Done = write(In.Get(), Input.data() + Written, Input.size() - Written);
      if (Done > 0) Written += static_cast<size_t>(Done);
      if ((Done < 0 && errno != EAGAIN && errno != EINTR) || Written == Input.size()) In.Close();
    }
    if (Wait[0].revents) {
      ssize_t Got = read(Out, Buffer, sizeof Buffer);
      if (Got < 0 && errno == EINTR) continue;
      if (Got <= 0) return true;
      Output.append(Buffer, static_cast<size_t>(Got));
    }
  }
}

void Reap(pid_t Child) {
  while (waitpid(Child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// Programs we waited for in vain are still our children: they are reaped by later starts, so
// that each stays a zombie at most until then.
class TOverdueChildren {
 public:
  void Add(pid_t Child) {
    std::lock_guard Lock(FMutex);
    FChildren.push_back(Child);
  }
  void ReapExited() {
    std::lock_guard Lock(FMutex);
    std::erase_if(FChildren, [](pid_t Child) { return waitpid(Child, nullptr, WNOHANG) != 0; });
  }

 private:
  std::mutex FMutex;
  std::vector<pid_t> FChildren;
};

TOverdueChildren& OverdueChildren() {
  static TOverdueChildren Children;
  return Children;
}

// Waits for Child until the deadline; its exit status, or nothing at the deadline.
std::optional<int> WaitForChild(pid_t Child, TClock::time_point Deadline) {
  TFileHandle Exit(static_cast<int>(syscall(SYS_pidfd_open, Child, 0)));
  for (;;) {
    int Status = 0;
    pid_t Done = waitpid(Child, &Status, WNOHANG);
    if (Done < 0 && errno == EINTR) continue;
    if (Done != 0) return Done == Child ? ExitStatusOf(Status) : 127;
    int Left = MillisecondsLeft(Deadline);
    if (Left == 0) return std::nullopt;
    if (Exit.Get() < 0) {
      // Kernels before pidfds: look again every few milliseconds.
      usleep(static_cast<useconds_t>(std::min(Left, 5) * 1000));
      continue;
    }
    pollfd Wait{Exit.Get(), POLLIN, 0};
    poll(&Wait, 1, Left);
  }
}

// Starts the program directly in a process group of its own (a terminal's interrupt or hang-up
// meant for us does not reach it) and waits for it. One vfork-style start instead of two forks,
// and no new session, which would cost a scheduler group: opening a document is about as quick
// as the desktop's own opener.
TSpawnResult SpawnAndWait(char* const* Argv, const std::string& Directory,
                          TClock::time_point Deadline) {
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (!Directory.empty()) posix_spawn_file_actions_addchdir_np(&Actions, Directory.c_str());
  posix_spawnattr_t Attributes;
  posix_spawnattr_init(&Attributes);
  posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETPGROUP);
  pid_t Child = 0;
  int Failed = posix_spawn(&Child, Argv[0], &Actions, &Attributes, Argv, environ);
  posix_spawnattr_destroy(&Attributes);
  posix_spawn_file_actions_destroy(&Actions);
  if (Failed) return {TSpawnResult::skExecFailed, Failed, 0};
  std::optional<int> Status = WaitForChild(Child, Deadline);
  if (!Status) {
    OverdueChildren().Add(Child);
    return {TSpawnResult::skTimedOut, 0, 0};
  }
  return {TSpawnResult::skExited, 0, *Status};
}

}  // namespace

std::string FindProgram(const std::string& Name) {
  if (Name.empty()) return "";
  if (Name.find('/') != std::string::npos) return IsExecutableFile(Name) ? Name : "";
  const char* Path = getenv("PATH");
  std::string Dirs = Path ? Path : "/usr/local/bin:/usr/bin:/bin";
  size_t Start = 0;
  for (;;) {
    size_t End = Dirs.find(':', Start);
    std::string Dir = Dirs.substr(Start, End == std::string::npos ? End : End - Start);
    std::string Candidate = IncludeTrailingPathDelimiter(Dir.empty() ? "." : Dir) + Name;
    if (IsExecutableFile(Candidate)) return Candidate;
    if (End == std::string::npos) return "";
    Start = End + 1;
  }
}

TSpawnResult SpawnDetached(const std::vector<std::string>& Argv, const std::string& Directory,
                           bool WaitForExit, std::chrono::milliseconds TimeOut) {
  std::vector<char*> Args = ArgvPointers(Argv);
  OverdueChildren().ReapExited();
  if (WaitForExit) return SpawnAndWait(Args.data(), Directory, TClock::now() + TimeOut);
  TPipe Reports;
  if (!MakePipe(Reports)) return {TSpawnResult::skExecFailed, errno, 0};
  auto Deadline = TClock::now() + TimeOut;
  pid_t Intermediate = fork();
  if (Intermediate == 0) RunIntermediate(Args.data(), Directory.c_str(), Reports.Write.Get());
  if (Intermediate < 0) return {TSpawnResult::skExecFailed, errno, 0};
  Reports.Write.Close();
  std::string Received;
  if (!ReadUntilEnd(Reports.Read.Get(), Received, Deadline)) {
    // The program keeps running; only the child that watches it goes.
    kill(Intermediate, SIGKILL);
    Reap(Intermediate);
    return {TSpawnResult::skTimedOut, 0, 0};
  }
  Reap(Intermediate);
  return ResultOf(Received);
}

std::optional<int> RunCaptured(const std::vector<std::string>& Argv, const std::string& Input,
                               std::string& Output, std::chrono::milliseconds TimeOut) {
  TPipe In, Out;
  if (!MakePipe(In) || !MakePipe(Out)) return std::nullopt;
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, In.Read.Get(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&Actions, Out.Write.Get(), STDOUT_FILENO);
  std::vector<char*> Args = ArgvPointers(Argv);
  pid_t Child = 0;
  int Failed = posix_spawn(&Child, Args[0], &Actions, nullptr, Args.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  if (Failed) return std::nullopt;
  In.Read.Close();
  Out.Write.Close();
  bool Finished = Exchange(In.Write, Out.Read.Get(), Input, Output, TClock::now() + TimeOut);
  if (!Finished) kill(Child, SIGKILL);
  int Status = 0;
  while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }
  if (!Finished) return std::nullopt;
  return ExitStatusOf(Status);
}
