#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Starting other programs, always from an argument list: no shell ever reads a command line.

// The full path of an executable program found in PATH, or empty. A name holding "/" is taken
// as it is, when executable.
std::string FindProgram(const std::string& Name);

struct TSpawnResult {
  enum TKind { skStarted, skExecFailed, skExited, skTimedOut } Kind = skStarted;
  // skExecFailed: the errno of the failed start.
  int Error = 0;
  // skExited: the exit status (128 + signal number for a program killed by a signal).
  int ExitStatus = 0;
};

// Starts Argv[0] (a path) in Directory (empty: ours) with standard input from /dev/null. Without
// WaitForExit, in a session of its own and detached: it outlives us and never becomes our zombie.
// With WaitForExit, in a process group of its own; waits until it exits, at most TimeOut, and
// reports its exit status; on time-out it keeps running, and a later start reaps it once it has
// exited.
TSpawnResult SpawnDetached(const std::vector<std::string>& Argv, const std::string& Directory,
                           bool WaitForExit, std::chrono::milliseconds TimeOut);

// Runs Argv[0] (a path) with Input on its standard input and collects its standard output,
// waiting at most TimeOut (then it is killed). The exit status, or nothing when it could not be
// started or did not finish in time.
std::optional<int> RunCaptured(const std::vector<std::string>& Argv, const std::string& Input,
                               std::string& Output, std::chrono::milliseconds TimeOut);
