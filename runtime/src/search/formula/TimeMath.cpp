#include "search/formula/TimeMath.h"

#include <cmath>

#include "notesapi/misc.h"
#include "search/formula/LocalTime.h"
#include "text/TimeCodec.h"

namespace notesrt {

namespace {

constexpr double SecondsPerDayValue = 86400;
// Far beyond the span of a TIMEDATE, small enough to stay exact in 64 bits.
constexpr double MaxShift = 1e12;

std::optional<TIMEDATE> MoveDateOnly(const TIMEDATE& Time, int64_t Days) {
  int64_t julianDay = static_cast<int64_t>(Time.Innards[1] & JulianDayMask) + Days;
  if (!IsFormulaJulianDay(julianDay)) return std::nullopt;
  TIMEDATE moved = Time;
  moved.Innards[1] = (Time.Innards[1] & ~JulianDayMask) | static_cast<DWORD>(julianDay);
  return moved;
}

TIMEDATE WrapTimeOnly(const TIMEDATE& Time, int64_t Hundredths) {
  int64_t ticks = (static_cast<int64_t>(Time.Innards[0]) + Hundredths) % TICKS_IN_DAY;
  TIMEDATE moved = Time;
  moved.Innards[0] = static_cast<DWORD>(ticks < 0 ? ticks + TICKS_IN_DAY : ticks);
  return moved;
}

}  // namespace

std::optional<TIMEDATE> AddSeconds(const TIMEDATE& Time, double Seconds) {
  if (!std::isfinite(Seconds) || std::fabs(Seconds) > MaxShift) return std::nullopt;
  auto hundredths = static_cast<int64_t>(std::llround(Seconds * 100));
  if (!HasDate(Time)) {
    if (!HasTime(Time)) return std::nullopt;
    return WrapTimeOnly(Time, hundredths);
  }
  if (!HasTime(Time) && std::fmod(Seconds, SecondsPerDayValue) == 0)
    return MoveDateOnly(Time, static_cast<int64_t>(Seconds / SecondsPerDayValue));
  return TimeOfInstant(InstantOf(Time) + hundredths);
}

double SecondsBetween(const TIMEDATE& Later, const TIMEDATE& Earlier) {
  return static_cast<double>(InstantOf(Later) - InstantOf(Earlier)) / 100;
}

int CompareTimes(const TIMEDATE& A, const TIMEDATE& B) {
  int64_t a = InstantOf(A);
  int64_t b = InstantOf(B);
  return (a > b) - (a < b);
}

}  // namespace notesrt
