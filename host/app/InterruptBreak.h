#pragma once

#include <csignal>

// While it lives, Ctrl+C (SIGINT) asks the running Notes operation to stop at its next break
// check instead of killing the program half-way; the previous handling comes back afterwards.
class TInterruptBreak {
 public:
  TInterruptBreak();
  ~TInterruptBreak();
  TInterruptBreak(const TInterruptBreak&) = delete;
  TInterruptBreak& operator=(const TInterruptBreak&) = delete;

 private:
  struct sigaction FPrevious {};
};
