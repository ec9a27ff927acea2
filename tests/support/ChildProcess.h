#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace vesktest {

inline int ExitCodeOf(int Status) {
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

// A program run as a child process in the test's environment, its stdout on a pipe the test
// reads line by line; killed at destruction if it still runs.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& Arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    FPid = fork();
    if (FPid == 0) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      std::vector<char*> argv;
      for (const std::string& argument : Arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(pipeEnds[1]);
    FOut = fdopen(pipeEnds[0], "r");
  }
  ~ChildProcess() {
    if (FPid > 0) Kill();
    if (FOut) fclose(FOut);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of output without its line break; false at the end of the output.
  bool ReadLine(std::string& Line) {
    Line.clear();
    for (int c; FOut && (c = fgetc(FOut)) != EOF;) {
      if (c == '\n') return true;
      Line.push_back(static_cast<char>(c));
    }
    return !Line.empty();
  }
  // Waits for the end (reading none of the output, which must fit the pipe or be read first):
  // the exit code, or -1 when a signal ended it.
  int Wait() {
    int status = 0;
    waitpid(FPid, &status, 0);
    FPid = -1;
    return ExitCodeOf(status);
  }
  void Kill() {
    kill(FPid, SIGKILL);
    Wait();
  }
  // True when the child ends by itself within Time (its exit code in ExitCode); otherwise it
  // is killed there and then.
  bool FinishesWithin(std::chrono::milliseconds Time, int& ExitCode) {
    auto deadline = std::chrono::steady_clock::now() + Time;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(FPid, &status, WNOHANG) == FPid) {
        FPid = -1;
        ExitCode = ExitCodeOf(status);
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Kill();
    return false;
  }

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
inline CommandRun RunCommand(const std::string& Command) {
  FILE* pipe = popen(Command.c_str(), "r");
  if (!pipe) return {-1, "popen failed"};
  std::string output;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, read);
  return {ExitCodeOf(pclose(pipe)), output};
}

}  // namespace vesktest
