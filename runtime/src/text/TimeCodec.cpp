#include "text/TimeCodec.h"

#include <cstdlib>

namespace notesrt {

namespace {

constexpr int MinYear = 1;
constexpr int MaxYear = 32767;
// No zone is further than 14 hours from GMT.
constexpr int MaxZoneHours = 14;

bool IsLeapYear(int Year) {
  return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

int DaysInMonth(int Year, int Month) {
  static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

}  // namespace

bool IsValidDate(const TCivilDate& Date) {
  return Date.Year >= MinYear && Date.Year <= MaxYear && Date.Month >= 1 && Date.Month <= 12 &&
         Date.Day >= 1 && Date.Day <= DaysInMonth(Date.Year, Date.Month);
}

int64_t FloorDiv(int64_t Value, int64_t Divisor) {
  int64_t quotient = Value / Divisor;
  return Value % Divisor < 0 ? quotient - 1 : quotient;
}

// The era-based day count of the proleptic Gregorian calendar (400-year cycles of 146,097 days).
int64_t DaysSince1970(const TCivilDate& Date) {
  int64_t year = Date.Year - (Date.Month <= 2 ? 1 : 0);
  int64_t era = FloorDiv(year, 400);
  int64_t yearOfEra = year - era * 400;
  int64_t monthFromMarch = (Date.Month + 9) % 12;
  int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + Date.Day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

TCivilDate DateFromDays(int64_t Days) {
  int64_t shifted = Days + 719468;
  int64_t era = FloorDiv(shifted, 146097);
  int64_t dayOfEra = shifted - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

bool IsConvertibleJulianDay(DWORD JulianDay) {
  int64_t days = static_cast<int64_t>(JulianDay) - JulianDayOf1970;
  return days >= DaysSince1970({MinYear, 1, 1}) && days <= DaysSince1970({MaxYear, 12, 31});
}

int WeekdayOf(int64_t Days) {
  // 1 January 1970 was a Thursday (5 when Sunday is 1).
  return static_cast<int>((Days % 7 + 7 + 4) % 7) + 1;
}

DWORD ZoneBits(int OffsetEastMinutes, bool ObservesDst) {
  int minutes = std::abs(OffsetEastMinutes);
  DWORD bits = static_cast<DWORD>(minutes / 60) & 0x0F;
  bits |= static_cast<DWORD>((minutes % 60) / 15) << 4;
  if (OffsetEastMinutes > 0) bits |= 0x40;
  if (ObservesDst) bits |= 0x80;
  return bits << 24;
}

void ZoneOfBits(DWORD Innards1, int& Zone, int& Dst) {
  DWORD bits = Innards1 >> 24;
  int hours = static_cast<int>(bits & 0x0F);
  int minutes = static_cast<int>((bits >> 4) & 0x03) * 15;
  int magnitude = minutes ? minutes * 100 + hours : hours;
  Zone = (bits & 0x40) ? -magnitude : magnitude;
  Dst = (bits & 0x80) ? TRUE : FALSE;
}

bool ZoneMinutesWest(int Zone, int& MinutesWest) {
  int magnitude = std::abs(Zone);
  int hours = magnitude < 100 ? magnitude : magnitude % 100;
  int minutes = magnitude < 100 ? 0 : magnitude / 100;
  if (hours > MaxZoneHours || minutes >= 60) return false;
  MinutesWest = (Zone < 0 ? -1 : 1) * (hours * 60 + minutes);
  return true;
}

}  // namespace notesrt
