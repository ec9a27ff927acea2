#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace vesktest {

// A function run in a forked child process. What it returns comes back through a pipe; then the
// child exits, or, to keep what it holds (locks, mappings, files), waits to be killed. Killed
// and reaped at destruction if it still runs.
class ForkedChild {
 public:
  enum TEnd { ExitAfterAnswer, StayUntilKilled };
  explicit ForkedChild(const std::function<std::string()>& Body, TEnd End = ExitAfterAnswer) {
    int Fds[2];
    if (pipe(Fds) != 0) throw std::runtime_error("pipe failed");
    FPid = fork();
    if (FPid < 0) throw std::runtime_error("fork failed");
    if (FPid == 0) {
      close(Fds[0]);
      int Status = 2;  // Body raised
      try {
        const std::string Text = Body();
        Status =
            write(Fds[1], Text.data(), Text.size()) == static_cast<ssize_t>(Text.size()) ? 0 : 1;
      } catch (...) {
      }
      close(Fds[1]);
      while (End == StayUntilKilled) pause();
      _exit(Status);  // no exit handlers: they belong to the test process
    }
    close(Fds[1]);
    FAnswerFd = Fds[0];
  }
  ~ForkedChild() {
    Kill();
    if (FAnswerFd >= 0) close(FAnswerFd);
  }
  ForkedChild(const ForkedChild&) = delete;
  ForkedChild& operator=(const ForkedChild&) = delete;

  // All that Body returned; "" when the child ended without answering.
  std::string Answer() {
    std::string Text;
    char Buffer[4096];
    for (ssize_t Got; FAnswerFd >= 0 && (Got = read(FAnswerFd, Buffer, sizeof Buffer)) > 0;)
      Text.append(Buffer, static_cast<size_t>(Got));
    if (FAnswerFd >= 0) close(FAnswerFd);
    FAnswerFd = -1;
    return Text;
  }
  // Waits for the end: the exit code (0 once the answer was written whole), or 128 + the
  // signal that ended it.
  int Wait() {
    int Status = 0;
    if (FPid <= 0 || waitpid(FPid, &Status, 0) != FPid) return -1;
    FPid = -1;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
  }
  void Kill() {
    if (FPid <= 0) return;
    kill(FPid, SIGKILL);
    Wait();
  }

 private:
  pid_t FPid = -1;
  int FAnswerFd = -1;
};

}  // namespace vesktest
