#include "search/formula/LocalTime.h"

#include "notesapi/misc.h"
#include "text/SystemZone.h"
#include "text/TimeCodec.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

constexpr int64_t HundredthsPerDay = TICKS_IN_DAY;
// 31 December 9999.
constexpr int64_t LastJulianDay = 5373484;

TIME MachineTime() {
  const TSystemZone& system = TSystemZone::Current();
  TIME time{};
  time.zone = system.Zone();
  time.dst = system.ObservesDst() ? TRUE : FALSE;
  return time;
}

bool ValidClock(const TLocalTime& Local) {
  return Local.Hour <= 23 && Local.Minute >= 0 && Local.Minute <= 59 && Local.Second >= 0 &&
         Local.Second <= 59 && Local.Hundredth >= 0 && Local.Hundredth <= 99;
}

TIMEDATE TimeOnly(const TLocalTime& Local) {
  TIMEDATE time;
  time.Innards[0] = static_cast<DWORD>(
      ((Local.Hour * 60 + Local.Minute) * 60 + Local.Second) * 100 + Local.Hundredth);
  time.Innards[1] = ANYDAY;
  return time;
}

TLocalTime ClockOfTicks(DWORD Ticks) {
  TLocalTime local;
  local.Hour = static_cast<int>(Ticks / TICKS_IN_HOUR);
  local.Minute = static_cast<int>(Ticks / TICKS_IN_MINUTE % 60);
  local.Second = static_cast<int>(Ticks / TICKS_IN_SECOND % 60);
  local.Hundredth = static_cast<int>(Ticks % 100);
  return local;
}

}  // namespace

bool IsFormulaJulianDay(int64_t JulianDay) {
  return JulianDay >= 0 && JulianDay <= LastJulianDay &&
         IsConvertibleJulianDay(static_cast<DWORD>(JulianDay));
}

bool HasDate(const TIMEDATE& Time) {
  return Time.Innards[1] != ANYDAY;
}

bool HasTime(const TIMEDATE& Time) {
  return Time.Innards[0] != ALLDAY;
}

std::optional<TLocalTime> LocalTimeOf(const TIMEDATE& Time) {
  if (!HasDate(Time)) {
    if (!HasTime(Time) || Time.Innards[0] >= TICKS_IN_DAY) return std::nullopt;
    return ClockOfTicks(Time.Innards[0]);
  }
  TIME time = MachineTime();
  time.GM = Time;
  if (!GMToLocal(time)) return std::nullopt;
  TLocalTime local;
  local.Year = time.year;
  local.Month = time.month;
  local.Day = time.day;
  local.Weekday = time.weekday;
  local.Hour = time.hour;
  local.Minute = time.minute;
  local.Second = time.second;
  local.Hundredth = time.hundredth;
  return local;
}

std::optional<TIMEDATE> TimeOfLocal(const TLocalTime& Local) {
  if (Local.HasTime() && !ValidClock(Local)) return std::nullopt;
  if (!Local.HasDate()) {
    if (!Local.HasTime()) return std::nullopt;
    return TimeOnly(Local);
  }
  if (Local.Year < 1 || Local.Year > 9999) return std::nullopt;
  TIME time = MachineTime();
  time.year = Local.Year;
  time.month = Local.Month;
  time.day = Local.Day;
  time.hour = Local.Hour;
  time.minute = Local.HasTime() ? Local.Minute : -1;
  time.second = Local.HasTime() ? Local.Second : -1;
  time.hundredth = Local.HasTime() ? Local.Hundredth : -1;
  if (!LocalToGM(time)) return std::nullopt;
  return time.GM;
}

int64_t InstantOf(const TIMEDATE& Time) {
  if (!HasDate(Time)) return HasTime(Time) ? Time.Innards[0] : 0;
  int64_t day = static_cast<int64_t>(Time.Innards[1] & JulianDayMask) - JulianDayOf1970;
  if (HasTime(Time)) return day * HundredthsPerDay + Time.Innards[0];
  std::optional<TLocalTime> local = LocalTimeOf(Time);
  if (!local) return day * HundredthsPerDay;
  local->Hour = local->Minute = local->Second = local->Hundredth = 0;
  std::optional<TIMEDATE> midnight = TimeOfLocal(*local);
  return midnight ? InstantOf(*midnight) : day * HundredthsPerDay;
}

std::optional<TIMEDATE> TimeOfInstant(int64_t Hundredths) {
  int64_t day = FloorDiv(Hundredths, HundredthsPerDay);
  auto julianDay = day + JulianDayOf1970;
  if (!IsFormulaJulianDay(julianDay)) return std::nullopt;
  time_t utc = static_cast<time_t>(day * SecondsPerDay);
  const TSystemZone& system = TSystemZone::Current();
  TIMEDATE time;
  time.Innards[0] = static_cast<DWORD>(Hundredths - day * HundredthsPerDay);
  time.Innards[1] = static_cast<DWORD>(julianDay) |
                    ZoneBits(system.StandardOffsetEastMinutes(utc), system.ObservesDst());
  return time;
}

}  // namespace notesrt
