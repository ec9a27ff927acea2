#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace vesktest {

// A function run in a forked child process. What it returns comes back through a pipe; then the
// child exits, or, to keep what it holds (locks, mappings, files), waits to be killed. Killed
// and reaped at destruction if it still runs.
class ForkedChild {
 public:
  enum TEnd { ExitAfterAnswer, StayUntilKilled };
  explicit ForkedChild(const std::function<std::string()>& Body, TEnd End = ExitAfterAnswer);
  ~ForkedChild();
  ForkedChild(const ForkedChild&) = delete;
  ForkedChild& operator=(const ForkedChild&) = delete;

  // All that Body returned; "" when the child ended without answering.
  std::string Answer();
  // Waits for the end: the exit code (0 once the answer was written whole), or 128 + the
  // signal that ended it.
  int Wait();
  void Kill();

 private:
  pid_t FPid = -1;
  int FAnswerFd = -1;
};

}  // namespace vesktest
