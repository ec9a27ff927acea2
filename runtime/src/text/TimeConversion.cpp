#include "text/TimeConversion.h"

#include <ctime>

#include "text/SystemZone.h"
#include "text/TimeCodec.h"

namespace notesrt {

namespace {

constexpr int64_t SecondsPerHour = 3600;

bool IsValidClock(const TIME& Time) {
  return Time.hour >= 0 && Time.hour <= 23 && Time.minute >= 0 && Time.minute <= 59 &&
         Time.second >= 0 && Time.second <= 59 && Time.hundredth >= 0 && Time.hundredth <= 99;
}

std::tm WallClock(const TIME& Time) {
  std::tm parts{};
  parts.tm_year = Time.year - 1900;
  parts.tm_mon = Time.month - 1;
  parts.tm_mday = Time.day;
  parts.tm_hour = Time.hour;
  parts.tm_min = Time.minute;
  parts.tm_sec = Time.second;
  return parts;
}

// TIMEDATE of a GMT instant in whole seconds; false outside the convertible years.
bool Encode(int64_t Utc, int Hundredth, DWORD Zone, TIMEDATE& Result) {
  int64_t day = FloorDiv(Utc, SecondsPerDay);
  auto julianDay = static_cast<DWORD>(day + JulianDayOf1970);
  if (!IsConvertibleJulianDay(julianDay)) return false;
  Result.Innards[0] = static_cast<DWORD>((Utc - day * SecondsPerDay) * 100 + Hundredth);
  Result.Innards[1] = julianDay | Zone;
  return true;
}

bool SetDate(TIME& Time, int64_t Days) {
  TCivilDate date = DateFromDays(Days);
  if (!IsValidDate(date)) return false;
  Time.year = date.Year;
  Time.month = date.Month;
  Time.day = date.Day;
  Time.weekday = WeekdayOf(Days);
  return true;
}

void DateOnlyToGM(TIME& Time, int64_t Days, const TSystemZone& System, bool Machine,
                  int MinutesWest) {
  int offsetEast = Machine ? System.StandardOffsetEastMinutes(Days * SecondsPerDay) : -MinutesWest;
  bool dst = Machine ? System.ObservesDst() : Time.dst != 0;
  Time.GM.Innards[0] = ALLDAY;
  Time.GM.Innards[1] = static_cast<DWORD>(Days + JulianDayOf1970) | ZoneBits(offsetEast, dst);
}

bool ClockToGM(TIME& Time, int64_t Days, const TSystemZone& System, bool Machine, int MinutesWest) {
  if (!IsValidClock(Time)) return false;
  if (Machine) {
    time_t utc = System.ToUtc(WallClock(Time));
    DWORD zone = ZoneBits(System.StandardOffsetEastMinutes(utc), System.ObservesDst());
    return Encode(utc, Time.hundredth, zone, Time.GM);
  }
  int64_t local =
      Days * SecondsPerDay + Time.hour * SecondsPerHour + Time.minute * 60 + Time.second;
  int64_t utc = local + MinutesWest * 60;
  if (Time.dst && System.IsDst(static_cast<time_t>(utc))) utc -= SecondsPerHour;
  return Encode(utc, Time.hundredth, ZoneBits(-MinutesWest, Time.dst != 0), Time.GM);
}

bool ExpandDateOnly(TIME& Time, DWORD JulianDay) {
  if (!SetDate(Time, static_cast<int64_t>(JulianDay) - JulianDayOf1970)) return false;
  Time.hour = Time.minute = Time.second = Time.hundredth = -1;
  return true;
}

}  // namespace

bool LocalToGM(TIME& Time) {
  // Cleared first: every failure below leaves GM zero.
  TimeDateClear(&Time.GM);
  TCivilDate date{Time.year, Time.month, Time.day};
  if (!IsValidDate(date)) return false;
  const TSystemZone& system = TSystemZone::Current();
  bool machine = system.Matches(Time.zone, Time.dst);
  int minutesWest = 0;
  if (!machine && !ZoneMinutesWest(Time.zone, minutesWest)) return false;
  int64_t days = DaysSince1970(date);
  if (Time.hour == -1) {
    DateOnlyToGM(Time, days, system, machine, minutesWest);
    return true;
  }
  return ClockToGM(Time, days, system, machine, minutesWest);
}

bool GMToLocal(TIME& Time) {
  return GMToLocal(Time, TSystemZone::Current());
}

bool GMToLocal(TIME& Time, const TSystemZone& System) {
  if (Time.GM.Innards[1] == ANYDAY) return false;
  DWORD julianDay = Time.GM.Innards[1] & JulianDayMask;
  DWORD ticks = Time.GM.Innards[0];
  if (!IsConvertibleJulianDay(julianDay)) return false;
  if (ticks == ALLDAY) return ExpandDateOnly(Time, julianDay);
  if (ticks >= TICKS_IN_DAY) return false;
  int minutesWest = 0;
  bool machine = System.Matches(Time.zone, Time.dst);
  if (!machine && !ZoneMinutesWest(Time.zone, minutesWest)) return false;
  auto utc = static_cast<time_t>(
      (static_cast<int64_t>(julianDay) - JulianDayOf1970) * SecondsPerDay + ticks / 100);
  int64_t offset = machine
                       ? System.OffsetEastSeconds(utc)
                       : -minutesWest * 60 + (Time.dst && System.IsDst(utc) ? SecondsPerHour : 0);
  int64_t local = utc + offset;
  int64_t days = FloorDiv(local, SecondsPerDay);
  if (!SetDate(Time, days)) return false;
  int64_t seconds = local - days * SecondsPerDay;
  Time.hour = static_cast<int>(seconds / SecondsPerHour);
  Time.minute = static_cast<int>(seconds / 60 % 60);
  Time.second = static_cast<int>(seconds % 60);
  Time.hundredth = static_cast<int>(ticks % 100);
  return true;
}

TIMEDATE CurrentTimeDate() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return TimeDateOf(now);
}

TIMEDATE TimeDateOf(const timespec& Time) {
  const TSystemZone& system = TSystemZone::Current();
  DWORD zone = ZoneBits(system.StandardOffsetEastMinutes(Time.tv_sec), system.ObservesDst());
  TIMEDATE result{};
  Encode(Time.tv_sec, static_cast<int>(Time.tv_nsec / 10000000), zone, result);
  return result;
}

}  // namespace notesrt
