#pragma once

#include <unistd.h>

#include <utility>

// An open file descriptor, closed when the holder goes.
class TFileHandle {
 public:
  explicit TFileHandle(int Fd = -1) : FFd(Fd) {}
  ~TFileHandle() { Reset(); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  int Get() const { return FFd; }
  explicit operator bool() const { return FFd >= 0; }
  // Gives the descriptor up to the caller.
  int Release() { return std::exchange(FFd, -1); }
  void Reset(int Fd = -1) {
    if (FFd >= 0) close(FFd);
    FFd = Fd;
  }
  // Closes at once; false when the close reported an error (a write that did not reach the disk).
  bool Close() {
    int Fd = Release();
    return Fd < 0 || close(Fd) == 0;
  }

 private:
  int FFd;
};
