#include "NotesFixture.h"
#include "NotesTime.h"

namespace {

using TimeTest = NotesFixture;

constexpr DWORD JulianDayOfSerialZero = 2415019;  // 30 December 1899

TDateTime At(int Year, int Month, int Day, int Hour, int Minute, int Second, int MSec) {
  return EncodeDate(Year, Month, Day) + EncodeTime(Hour, Minute, Second, MSec);
}

DWORD JulianDay(int Year, int Month, int Day) {
  return static_cast<DWORD>(EncodeDate(Year, Month, Day)) + JulianDayOfSerialZero;
}

void ExpectSameInstant(TDateTime Expected, TDateTime Actual) {
  EXPECT_NEAR(Expected, Actual, 0.001 / 86400)
      << "expected " << DateTimeToStr(Expected) << ", got " << DateTimeToStr(Actual);
}

TEST_F(TimeTest, LocalTimeIsStoredAsGreenwichTimeAndRoundTripsInHundredths) {
  ScopedTimeZone berlin("Europe/Berlin");
  TIMEDATE summer = DateTimeToNotes(At(2026, 7, 15, 14, 30, 0, 0));
  EXPECT_EQ(summer.Innards[0], 12u * 360000 + 30u * 6000);
  EXPECT_EQ(summer.Innards[1] & 0xFFFFFF, JulianDay(2026, 7, 15));
  EXPECT_EQ(summer.Innards[1] >> 24, 0xC1u);  // observes DST, east, one hour

  TIMEDATE winter = DateTimeToNotes(At(2026, 1, 15, 14, 30, 0, 0));
  EXPECT_EQ(winter.Innards[0], 13u * 360000 + 30u * 6000);
  EXPECT_EQ(winter.Innards[1] & 0xFFFFFF, JulianDay(2026, 1, 15));
  ScopedTimeZone newYork("America/New_York");
  TIMEDATE evening = DateTimeToNotes(At(2026, 7, 15, 22, 0, 0, 0));
  EXPECT_EQ(evening.Innards[0], 2u * 360000);  // 02:00 GMT on the next day
  EXPECT_EQ(evening.Innards[1] & 0xFFFFFF, JulianDay(2026, 7, 16));
  EXPECT_EQ(evening.Innards[1] >> 24, 0x85u);
  // Every zone and season round-trips.
  for (const char* zone : {"Europe/Berlin", "America/New_York", "Asia/Kolkata", "UTC"}) {
    ScopedTimeZone scoped(zone);
    for (TDateTime value : {At(2026, 1, 10, 8, 15, 30, 250), At(2026, 3, 29, 12, 0, 0, 0),
                            At(2026, 7, 4, 23, 59, 59, 990), At(2026, 10, 25, 12, 0, 0, 0),
                            At(1999, 12, 31, 0, 0, 0, 10), At(2026, 12, 31, 23, 30, 0, 0)})
      ExpectSameInstant(value, NotesToDateTime(DateTimeToNotes(value)));
  }
  // Hundredths, midnight and stamps outside the calendar.
  ScopedTimeZone utc("UTC");
  TIMEDATE half = DateTimeToNotes(At(2026, 5, 1, 12, 0, 0, 500));
  EXPECT_EQ(half.Innards[0] % 100, 50u);
  int hour, minute, second, msec;
  DecodeTime(NotesToDateTime(half), hour, minute, second, msec);
  EXPECT_EQ(msec, 500);
  // Milliseconds below a hundredth are dropped, not rounded up.
  EXPECT_EQ(DateTimeToNotes(At(2026, 5, 1, 12, 0, 0, 19)).Innards[0] % 100, 1u);
  TIMEDATE dateOnly{{ALLDAY, JulianDay(2026, 2, 28)}};
  EXPECT_EQ(NotesToDateTime(dateOnly), EncodeDate(2026, 2, 28));
  TIMESTRUCT time{};
  time.GM = TIMEDATE{{ALLDAY, JulianDay(2024, 2, 29)}};
  OSCurrentTimeZone(&time.zone, &time.dst);
  EXPECT_EQ(NotesToDateTimeEx(time), EncodeDate(2024, 2, 29));
  EXPECT_EQ(NotesToDateTime(TIMEDATE{{0, 0x00FFFFFF}}), 0.0);  // beyond year 9999
  TIMEDATE wildcard;
  TimeConstant(TIMEDATE_WILDCARD, &wildcard);
  EXPECT_EQ(NotesToDateTime(wildcard), 0.0);
}

}  // namespace
