#include "core/ApiLock.h"

namespace notesrt {

namespace {

std::recursive_mutex& ApiMutex() {
  static std::recursive_mutex& mutex = *new std::recursive_mutex;
  return mutex;
}

}  // namespace

TApiLock::TApiLock() : FLock(ApiMutex()) {}

TApiLock::~TApiLock() = default;

}  // namespace notesrt
