#include "core/ApiLock.h"

namespace notesrt {

namespace {

std::recursive_mutex& ApiMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

}  // namespace

TApiLock::TApiLock() : FLock(ApiMutex()) {}

TApiLock::~TApiLock() = default;

}  // namespace notesrt
