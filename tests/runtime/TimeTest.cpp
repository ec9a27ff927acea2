#include <gtest/gtest.h>

#include <ctime>

#include "ScopedEnv.h"
#include "notesapi/misc.h"
#include "notesapi/ostime.h"

using vesktest::ScopedTimeZone;

namespace {

// A local time in the machine's zone, as the object library builds it (weekday left 0).
TIME Local(int Year, int Month, int Day, int Hour, int Minute, int Second, int Hundredth) {
  TIME time{};
  time.year = Year;
  time.month = Month;
  time.day = Day;
  time.hour = Hour;
  time.minute = Minute;
  time.second = Second;
  time.hundredth = Hundredth;
  OSCurrentTimeZone(&time.zone, &time.dst);
  return time;
}

TIMEDATE ToGM(TIME Time) {
  EXPECT_FALSE(TimeLocalToGM(&Time));
  return Time.GM;
}

// Expands GM in the machine's zone, as NotesToDateTime does.
TIME Expand(TIMEDATE GM) {
  TIME time{};
  OSCurrentTimeZone(&time.zone, &time.dst);
  time.GM = GM;
  EXPECT_FALSE(TimeGMToLocalZone(&time));
  return time;
}

void ExpectFields(const TIME& Time, int Year, int Month, int Day, int Hour, int Minute, int Second,
                  int Hundredth) {
  EXPECT_EQ(Time.year, Year);
  EXPECT_EQ(Time.month, Month);
  EXPECT_EQ(Time.day, Day);
  EXPECT_EQ(Time.hour, Hour);
  EXPECT_EQ(Time.minute, Minute);
  EXPECT_EQ(Time.second, Second);
  EXPECT_EQ(Time.hundredth, Hundredth);
}

}  // namespace

TEST(TimeZone, IsWholeHoursWestAndWhetherTheZoneObservesDst) {
  int zone = 99, dst = 99;
  {
    ScopedTimeZone tz("America/New_York");
    OSCurrentTimeZone(&zone, &dst);
    EXPECT_EQ(zone, 5);
    EXPECT_EQ(dst, TRUE);
  }
  {
    ScopedTimeZone tz("Asia/Kolkata");
    OSCurrentTimeZone(&zone, &dst);
    EXPECT_EQ(zone, -5);
    EXPECT_EQ(dst, FALSE);
  }
  {
    ScopedTimeZone tz("Europe/Berlin");
    OSCurrentTimeZone(&zone, nullptr);
    EXPECT_EQ(zone, -1);
  }
  OSCurrentTimeZone(nullptr, nullptr);
}

// 9:19:04 GMT. The published example gives 0x0032B864 here, which is 9:14:00.04 and does not
// agree with its own description (14:49:04 at GMT+5:30); the zone word matches exactly.
constexpr DWORD BombayTicks = (9 * 3600 + 19 * 60 + 4) * 100;

// 2:49:04 PM EST on 10 December 1996, and the same wall-clock time in Bombay.
TEST(TimeLocalToGM, EncodesThePublishedExamples) {
  {
    ScopedTimeZone tz("America/New_York");
    TIMEDATE gm = ToGM(Local(1996, 12, 10, 14, 49, 4, 0));
    EXPECT_EQ(gm.Innards[0], 0x006CDCC0u);
    EXPECT_EQ(gm.Innards[1], 0x852563FCu);
  }
  {
    ScopedTimeZone tz("Asia/Kolkata");
    TIMEDATE gm = ToGM(Local(1996, 12, 10, 14, 49, 4, 0));
    EXPECT_EQ(gm.Innards[0], BombayTicks);
    EXPECT_EQ(gm.Innards[1], 0x652563FCu);
  }
}

// A zone given in the four-digit form (GMT+5:30 is -3005) while the machine is elsewhere.
TEST(TimeLocalToGM, HonoursAFractionalZoneOtherThanTheMachines) {
  ScopedTimeZone tz("America/New_York");
  TIME time = Local(1996, 12, 10, 14, 49, 4, 0);
  time.zone = -3005;
  time.dst = FALSE;
  EXPECT_FALSE(TimeLocalToGM(&time));
  EXPECT_EQ(time.GM.Innards[0], BombayTicks);
  EXPECT_EQ(time.GM.Innards[1], 0x652563FCu);
  TIME back{};
  back.zone = -3005;
  back.GM = time.GM;
  EXPECT_FALSE(TimeGMToLocalZone(&back));
  ExpectFields(back, 1996, 12, 10, 14, 49, 4, 0);
}

TEST(TimeRoundTrip, BothDaylightSavingSeasons) {
  ScopedTimeZone tz("America/New_York");
  TIMEDATE winter = ToGM(Local(2021, 1, 15, 8, 30, 15, 25));
  EXPECT_EQ(winter.Innards[0], (13 * 3600 + 30 * 60 + 15) * 100u + 25);
  TIMEDATE summer = ToGM(Local(2021, 7, 4, 8, 30, 15, 25));
  EXPECT_EQ(summer.Innards[0], (12 * 3600 + 30 * 60 + 15) * 100u + 25);
  // The zone byte says "5 hours west, observes DST" in both seasons.
  EXPECT_EQ(winter.Innards[1] >> 24, 0x85u);
  EXPECT_EQ(summer.Innards[1] >> 24, 0x85u);
  ExpectFields(Expand(winter), 2021, 1, 15, 8, 30, 15, 25);
  ExpectFields(Expand(summer), 2021, 7, 4, 8, 30, 15, 25);
}

// Another zone with the DST flag shifts by an hour only in the machine's DST period.
TEST(TimeRoundTrip, ForeignZoneWithDstFollowsTheMachinesSeason) {
  ScopedTimeZone tz("America/New_York");
  for (int month : {1, 7}) {
    TIME time = Local(2021, month, 10, 12, 0, 0, 0);
    time.zone = 6;
    time.dst = TRUE;
    ASSERT_FALSE(TimeLocalToGM(&time));
    EXPECT_EQ(time.GM.Innards[0], (month == 7 ? 17 : 18) * 360000u);
    TIME back{};
    back.zone = 6;
    back.dst = TRUE;
    back.GM = time.GM;
    ASSERT_FALSE(TimeGMToLocalZone(&back));
    ExpectFields(back, 2021, month, 10, 12, 0, 0, 0);
  }
}

TEST(TimeRoundTrip, DateOnly) {
  ScopedTimeZone tz("Asia/Kolkata");
  TIME time = Local(2024, 3, 31, -1, 0, 0, 0);
  ASSERT_FALSE(TimeLocalToGM(&time));
  EXPECT_EQ(time.GM.Innards[0], ALLDAY);
  TIME back = Expand(time.GM);
  ExpectFields(back, 2024, 3, 31, -1, -1, -1, -1);
  EXPECT_EQ(back.weekday, 1);  // a Sunday
}

TEST(TimeLocalToGM, IgnoresTheWeekday) {
  ScopedTimeZone tz("America/New_York");
  TIME time = Local(1996, 12, 10, 14, 49, 4, 0);
  TIMEDATE withZero = ToGM(time);
  time.weekday = 6;
  TIMEDATE withWrongDay = ToGM(time);
  time.weekday = 42;
  TIMEDATE withNonsense = ToGM(time);
  EXPECT_EQ(withZero.Innards[0], withWrongDay.Innards[0]);
  EXPECT_EQ(withZero.Innards[1], withNonsense.Innards[1]);
  EXPECT_EQ(Expand(withZero).weekday, 3);  // a Tuesday
}

TEST(TimeLocalToGM, InvalidFieldsReturnTrueAndLeaveGMZero) {
  ScopedTimeZone tz("UTC");
  TIME bad[] = {Local(2021, 13, 1, 0, 0, 0, 0),  Local(2021, 2, 29, 0, 0, 0, 0),
                Local(2021, 1, 1, 24, 0, 0, 0),  Local(2021, 1, 1, 0, 60, 0, 0),
                Local(2021, 1, 1, 0, 0, 0, 100), Local(0, 1, 1, 0, 0, 0, 0),
                Local(2021, 1, 1, -2, 0, 0, 0)};
  for (TIME& time : bad) {
    time.GM.Innards[0] = time.GM.Innards[1] = 0xDEAD;
    EXPECT_TRUE(TimeLocalToGM(&time)) << time.year << "-" << time.month << " " << time.hour;
    EXPECT_EQ(time.GM.Innards[0], 0u);
    EXPECT_EQ(time.GM.Innards[1], 0u);
  }
  TIME zone = Local(2021, 1, 1, 0, 0, 0, 0);
  zone.zone = 77;
  EXPECT_TRUE(TimeLocalToGM(&zone));
  EXPECT_TRUE(TimeLocalToGM(nullptr));
}

TEST(TimeGMToLocalZone, RejectsValuesThatAreNoTime) {
  TIME time{};
  TimeConstant(TIMEDATE_WILDCARD, &time.GM);
  EXPECT_TRUE(TimeGMToLocalZone(&time));
  time.GM.Innards[1] = 2450428;
  time.GM.Innards[0] = TICKS_IN_DAY;
  EXPECT_TRUE(TimeGMToLocalZone(&time));
  time.GM.Innards[0] = 0;
  time.GM.Innards[1] = 5;  // before the year 1
  EXPECT_TRUE(TimeGMToLocalZone(&time));
  EXPECT_TRUE(TimeGMToLocalZone(nullptr));
}

TEST(TimeGMToLocal, UsesAndReportsTheMachinesZone) {
  ScopedTimeZone tz("America/New_York");
  TIME time{};
  time.zone = 3;
  time.GM.Innards[0] = 0x006CDCC0;
  time.GM.Innards[1] = 0x852563FC;
  EXPECT_FALSE(TimeGMToLocal(&time));
  EXPECT_EQ(time.zone, 5);
  EXPECT_EQ(time.dst, TRUE);
  ExpectFields(time, 1996, 12, 10, 14, 49, 4, 0);
}

TEST(TimeConstant, MinimumMaximumAndWildcard) {
  TIMEDATE value{{1, 2}};
  TimeConstant(TIMEDATE_MINIMUM, &value);
  EXPECT_EQ(value.Innards[0], 0u);
  EXPECT_EQ(value.Innards[1], 0u);
  TimeConstant(TIMEDATE_WILDCARD, &value);
  EXPECT_EQ(value.Innards[0], ALLDAY);
  EXPECT_EQ(value.Innards[1], ANYDAY);
  TimeConstant(TIMEDATE_MAXIMUM, &value);
  ScopedTimeZone tz("UTC");
  ExpectFields(Expand(value), 9999, 12, 31, 23, 59, 59, 99);
}

TEST(TimeDate, CompareGoesByDayThenTimeIgnoringTheZone) {
  TIMEDATE early{}, late{}, sameAsEarlyOtherZone{};
  TimeConstruct(2450428, 100, &early);
  TimeConstruct(2450428, 200, &late);
  sameAsEarlyOtherZone = early;
  sameAsEarlyOtherZone.Innards[1] |= 0x85000000;
  EXPECT_LT(TimeDateCompare(&early, &late), 0);
  EXPECT_GT(TimeDateCompare(&late, &early), 0);
  EXPECT_EQ(TimeDateCompare(&early, &sameAsEarlyOtherZone), 0);
  TIMEDATE nextDay{};
  TimeConstruct(2450429, 0, &nextDay);
  EXPECT_LT(TimeDateCompare(&late, &nextDay), 0);
  EXPECT_EQ(TimeExtractJulianDate(&sameAsEarlyOtherZone), 2450428u);
  EXPECT_EQ(TimeExtractTicks(&late), 200u);
  TIMEDATE wildcard{};
  TimeConstant(TIMEDATE_WILDCARD, &wildcard);
  EXPECT_EQ(TimeExtractJulianDate(&wildcard), ANYDAY);
}

TEST(CurrentTimeDate, IsNowInTheMachinesZone) {
  ScopedTimeZone tz("America/New_York");
  TIMEDATE now{};
  OSCurrentTIMEDATE(&now);
  time_t seconds = time(nullptr);
  int64_t encoded =
      (static_cast<int64_t>(now.Innards[1] & 0xFFFFFF) - 2440588) * 86400 + now.Innards[0] / 100;
  EXPECT_LE(std::llabs(encoded - seconds), 5);
  EXPECT_EQ(now.Innards[1] >> 24, 0x85u);
}
