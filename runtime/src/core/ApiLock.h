#pragma once

#include <mutex>

namespace notesrt {

// Serialises the whole C API: every exported function holds it for the length of the call.
// Recursive because the runtime calls its own API (and callbacks such as the break handler may).
class TApiLock {
 public:
  TApiLock();
  ~TApiLock();
  TApiLock(const TApiLock&) = delete;
  TApiLock& operator=(const TApiLock&) = delete;

 private:
  std::unique_lock<std::recursive_mutex> FLock;
};

}  // namespace notesrt
