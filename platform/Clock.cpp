#include "Clock.h"

#include <time.h>

TClock& TClock::Default() {
  static TSystemClock System;
  return System;
}

uint32_t TSystemClock::TickCount() {
  timespec Boot;
  clock_gettime(CLOCK_BOOTTIME, &Boot);
  uint64_t Milliseconds =
      static_cast<uint64_t>(Boot.tv_sec) * 1000 + static_cast<uint64_t>(Boot.tv_nsec) / 1000000;
  return static_cast<uint32_t>(Milliseconds);
}
