#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace vesktest {

// A program run as a child process in the test's environment, its stdout on a pipe the test
// reads line by line; killed at destruction if it still runs.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& Arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of output without its line break; false at the end of the output.
  bool ReadLine(std::string& Line);
  // Waits for the end (reading none of the output, which must fit the pipe or be read first):
  // the exit code, or -1 when a signal ended it.
  int Wait();
  void Kill();
  // True when the child ends by itself within Time (its exit code in ExitCode); otherwise it
  // is killed there and then.
  bool FinishesWithin(std::chrono::milliseconds Time, int& ExitCode);

 private:
  pid_t FPid = -1;
  FILE* FOut = nullptr;
};

// Runs a shell command to its end: the exit code and what it wrote (stdout, and stderr where
// the command sends it there).
struct CommandRun {
  int ExitCode;
  std::string Output;
};
CommandRun RunCommand(const std::string& Command);

}  // namespace vesktest
