#pragma once

#include <cstdint>
#include <optional>

#include "notesapi/global.h"

namespace notesrt {

// A TIMEDATE as the machine's time zone shows it. A date-only value has no clock (hour -1 and
// so on), a time-only value no date (year -1 and so on). Time-only values keep the local time
// of day in Innards[0]: without a date there is no zone offset to apply.
struct TLocalTime {
  int Year = -1;
  int Month = -1;
  int Day = -1;
  int Hour = -1;
  int Minute = -1;
  int Second = -1;
  int Hundredth = -1;
  int Weekday = -1;

  bool HasDate() const { return Year >= 0; }
  bool HasTime() const { return Hour >= 0; }
};

// Formula times run from the year 1 to 31 December 9999, as TIMEDATE_MAXIMUM does.
bool IsFormulaJulianDay(int64_t JulianDay);

bool HasDate(const TIMEDATE& Time);
bool HasTime(const TIMEDATE& Time);

// Nothing for a TIMEDATE that is no valid time.
std::optional<TLocalTime> LocalTimeOf(const TIMEDATE& Time);
// Date-only without a clock, time-only without a date. Nothing for invalid fields (month 13,
// hour 24) or years outside 1..9999.
std::optional<TIMEDATE> TimeOfLocal(const TLocalTime& Local);

// Hundredths of a second since 1970 GMT, the scale for comparing and subtracting times. A
// date-only value counts from its local midnight; a time-only value from the start of 1970.
int64_t InstantOf(const TIMEDATE& Time);
// A time with date and clock at that instant, in the machine's zone.
std::optional<TIMEDATE> TimeOfInstant(int64_t Hundredths);

}  // namespace notesrt
