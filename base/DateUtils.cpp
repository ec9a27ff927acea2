#include "DateUtils.h"

#include <time.h>

#include <cmath>
#include <cstdlib>

namespace {

// Day number of 30 December 1899 when 1 January 0001 is day 1.
constexpr int64_t DateDelta = 693594;

constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;
constexpr int DaysPerYear = 365;

// Anything further out than this is no date the calendar can name.
constexpr double MaxDays = 1e9;

int DaysInMonth(int Year, int Month) {
  static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Days[Month - 1] + ((Month == 2 && IsLeapYear(Year)) ? 1 : 0);
}

// The value rounded to the millisecond and split into a day number (1 January 0001 = day 1)
// and the milliseconds of that day, as Delphi's time stamps do. False for values that name no
// day.
bool SplitDateTime(TDateTime DateTime, int64_t& Day, int& MSec) {
  if (!std::isfinite(DateTime) || std::fabs(DateTime) > MaxDays) return false;
  int64_t Total = std::llround(DateTime * MSecsPerDay);
  Day = DateDelta + Total / MSecsPerDay;
  MSec = static_cast<int>(std::llabs(Total % MSecsPerDay));
  return true;
}

// Splits Count by Unit into whole units and the rest; the last unit of a period (the fourth
// century, the fourth year) takes in the leap day instead of starting a new one.
int TakeUnits(int64_t& Count, int64_t Unit, int MaxUnits) {
  int64_t Units = Count / Unit;
  if (Units > MaxUnits) Units = MaxUnits;
  Count -= Units * Unit;
  return static_cast<int>(Units);
}

}  // namespace

bool IsLeapYear(int Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

bool IsValidDate(int Year, int Month, int Day) {
  return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 &&
         Day <= DaysInMonth(Year, Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result) {
  if (!IsValidDate(Year, Month, Day)) return false;
  int64_t Days = Day;
  for (int M = 1; M < Month; ++M) Days += DaysInMonth(Year, M);
  int64_t Before = Year - 1;
  Days += Before * DaysPerYear + Before / 4 - Before / 100 + Before / 400;
  Result = static_cast<TDateTime>(Days - DateDelta);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime Result = 0;
  if (!TryEncodeDate(Year, Month, Day, Result))
    throw EConvertError("Invalid argument to date encode");
  return Result;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Result) {
  if (Hour < 0 || Hour >= HoursPerDay || Min < 0 || Min >= MinsPerHour || Sec < 0 ||
      Sec >= SecsPerMin || MSec < 0 || MSec >= MSecsPerSec)
    return false;
  int Total = ((Hour * MinsPerHour + Min) * SecsPerMin + Sec) * MSecsPerSec + MSec;
  Result = static_cast<TDateTime>(Total) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime Result = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, Result))
    throw EConvertError("Invalid argument to time encode");
  return Result;
}

void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day) {
  Year = Month = Day = 0;
  int64_t Count = 0;
  int MSec = 0;
  if (!SplitDateTime(DateTime, Count, MSec) || Count <= 0) return;
  --Count;  // days before the date, counted from 1 January 0001
  int Y = 1 + 400 * TakeUnits(Count, DaysPer400Years, INT32_MAX);
  Y += 100 * TakeUnits(Count, DaysPer100Years, 3);
  Y += 4 * TakeUnits(Count, DaysPer4Years, 24);
  Y += TakeUnits(Count, DaysPerYear, 3);
  int M = 1;
  while (Count >= DaysInMonth(Y, M)) Count -= DaysInMonth(Y, M++);
  Year = Y;
  Month = M;
  Day = static_cast<int>(Count) + 1;
}

void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec) {
  int64_t Day = 0;
  int Rest = 0;
  if (!SplitDateTime(DateTime, Day, Rest)) Rest = 0;
  MSec = Rest % MSecsPerSec;
  Rest /= MSecsPerSec;
  Sec = Rest % SecsPerMin;
  Rest /= SecsPerMin;
  Min = Rest % MinsPerHour;
  Hour = Rest / MinsPerHour;
}

int DayOfWeek(TDateTime DateTime) {
  int64_t Day = 0;
  int MSec = 0;
  if (!SplitDateTime(DateTime, Day, MSec) || Day <= 0) return 0;
  // Day 1, 1 January 0001, was a Monday.
  return static_cast<int>(Day % 7) + 1;
}

TDateTime LocalDateTime(int64_t Seconds, int64_t NanoSeconds) {
  time_t Moment = static_cast<time_t>(Seconds);
  tm Local;
  localtime_r(&Moment, &Local);
  // A leap second (tm_sec 60) is shown as the last second of its minute.
  int Sec = Local.tm_sec < SecsPerMin ? Local.tm_sec : SecsPerMin - 1;
  return EncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday) +
         EncodeTime(Local.tm_hour, Local.tm_min, Sec, static_cast<int>(NanoSeconds / 1000000));
}

TDateTime Now() {
  timespec Current;
  clock_gettime(CLOCK_REALTIME, &Current);
  return LocalDateTime(Current.tv_sec, Current.tv_nsec);
}

TDateTime Date() {
  return std::trunc(Now());
}

TDateTime Time() {
  TDateTime Current = Now();
  return Current - std::trunc(Current);
}
