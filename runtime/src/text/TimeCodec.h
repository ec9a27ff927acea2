#pragma once

#include <cstdint>

#include "notesapi/global.h"

namespace notesrt {

// Calendar arithmetic of the TIMEDATE encoding: proleptic Gregorian dates, Julian Day numbers
// (Notes days start at midnight) and the zone bits in the high byte of Innards[1].

constexpr DWORD JulianDayOf1970 = 2440588;
constexpr int64_t SecondsPerDay = 86400;
constexpr DWORD JulianDayMask = 0x00FFFFFF;

struct TCivilDate {
  int Year;
  int Month;
  int Day;
};

bool IsValidDate(const TCivilDate& Date);
int64_t DaysSince1970(const TCivilDate& Date);
TCivilDate DateFromDays(int64_t DaysSince1970);
// Whether a Julian Day lies in the years the conversions accept (1..32767).
bool IsConvertibleJulianDay(DWORD JulianDay);
// 1..7, Sunday is 1.
int WeekdayOf(int64_t DaysSince1970);

// Floor division for seconds before 1970.
int64_t FloorDiv(int64_t Value, int64_t Divisor);

// The high byte for a zone OffsetEastMinutes from GMT (whole quarter hours) that observes DST or
// not.
DWORD ZoneBits(int OffsetEastMinutes, bool ObservesDst);
// The zone and DST flag a TIMEDATE was written with (from Innards[1]) as TIME.zone and TIME.dst
// give them.
void ZoneOfBits(DWORD Innards1, int& Zone, int& Dst);
// TIME.zone (hours west; or the four-digit form, minutes first, for zones with a fraction) in
// minutes west of GMT. False for a value outside the zones that exist.
bool ZoneMinutesWest(int Zone, int& MinutesWest);

}  // namespace notesrt
