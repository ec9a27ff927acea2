#include "ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace vesktest {

namespace {

int ExitCodeOf(int Status) {
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& Arguments) {
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

ChildProcess::~ChildProcess() {
  if (FPid > 0) Kill();
  if (FOut) fclose(FOut);
}

bool ChildProcess::ReadLine(std::string& Line) {
  Line.clear();
  for (int c; FOut && (c = fgetc(FOut)) != EOF;) {
    if (c == '\n') return true;
    Line.push_back(static_cast<char>(c));
  }
  return !Line.empty();
}

int ChildProcess::Wait() {
  int status = 0;
  waitpid(FPid, &status, 0);
  FPid = -1;
  return ExitCodeOf(status);
}

void ChildProcess::Kill() {
  kill(FPid, SIGKILL);
  Wait();
}

bool ChildProcess::FinishesWithin(std::chrono::milliseconds Time, int& ExitCode) {
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

CommandRun RunCommand(const std::string& Command) {
  FILE* pipe = popen(Command.c_str(), "r");
  if (!pipe) return {-1, "popen failed"};
  std::string output;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, read);
  return {ExitCodeOf(pclose(pipe)), output};
}

}  // namespace vesktest
