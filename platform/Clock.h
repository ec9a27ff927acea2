#pragma once

#include <cstdint>

#include "DateUtils.h"
#include "Facility.h"

// The system's clocks: the tick count (milliseconds since the system started, counting time
// spent suspended, kept in 32 bits so that it wraps after 49.7 days as the Windows counter does)
// and the local date-time.
class TClock {
 public:
  virtual ~TClock() = default;
  virtual uint32_t TickCount() = 0;
  virtual TDateTime Now() = 0;

  static TClock& Default();
};

// CLOCK_BOOTTIME and the real-time clock.
class TSystemClock : public TClock {
 public:
  uint32_t TickCount() override;
  TDateTime Now() override { return ::Now(); }
};

inline TClock& Clock() {
  return TFacility<TClock>::Get();
}
