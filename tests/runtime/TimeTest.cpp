#include <gtest/gtest.h>

#include <ctime>

#include "ScopedEnv.h"
#include "notesapi/misc.h"
#include "notesapi/ostime.h"

using vesktest::ScopedTimeZone;

namespace {

// A local time in the machine's zone, as the object library builds it (weekday left 0).
TIME Local(int Year, int Month, int Day, int Hour, int Minute, int Second, int Hundredth) {
  TIME time{Year, Month, Day, 0, Hour, Minute, Second, Hundredth, 0, 0, {}};
  OSCurrentTimeZone(&time.zone, &time.dst);
  return time;
}

// The fields of a TIME as "Y-M-D h:m:s.hh".
std::string Fields(const TIME& Time) {
  char text[64];
  std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d.%d", Time.year, Time.month, Time.day,
                Time.hour, Time.minute, Time.second, Time.hundredth);
  return text;
}

// Expands GM in the machine's zone, as NotesToDateTime does.
TIME Expand(TIMEDATE GM) {
  TIME time{};
  OSCurrentTimeZone(&time.zone, &time.dst);
  time.GM = GM;
  EXPECT_FALSE(TimeGMToLocalZone(&time));
  return time;
}

}  // namespace

// 2:49:04 PM on 10 December 1996 in New York and in Bombay, the latter also as a four-digit
// zone (GMT+5:30 is -3005) while the machine is elsewhere. The published example gives
// 0x0032B864 for Bombay, which is 9:14:00.04 and does not agree with its own description
// (14:49:04 at GMT+5:30); the zone word matches exactly. Then both seasons in a zone with DST,
// another zone with the DST flag (shifted an hour only in the machine's DST period), and a date
// without a time.
TEST(TimeLocalToGM, EncodesThePublishedExamplesAndEveryFieldReadsBack) {
  const DWORD Bombay = (9 * 3600 + 19 * 60 + 4) * 100,
              Winter = (13 * 3600 + 30 * 60 + 15) * 100 + 25, Summer = Winter - 360000;
  const TIME published = Local(1996, 12, 10, 14, 49, 4, 0);
  const struct {
    const char* Machine;
    TIME Local;
    int Zone, Dst;      // 0, 0: the machine's
    DWORD Ticks, Date;  // Date 0: not checked
    int Weekday;
  } cases[] = {
      {"America/New_York", published, 0, 0, 0x006CDCC0u, 0x852563FCu, 3},
      {"Asia/Kolkata", published, 0, 0, Bombay, 0x652563FCu, 3},
      {"America/New_York", published, -3005, FALSE, Bombay, 0x652563FCu, 3},
      {"America/New_York", Local(2021, 1, 15, 8, 30, 15, 25), 0, 0, Winter, 0x8525865Eu, 6},
      {"America/New_York", Local(2021, 7, 4, 8, 30, 15, 25), 0, 0, Summer, 0x85258708u, 1},
      {"America/New_York", Local(2021, 1, 10, 12, 0, 0, 0), 6, TRUE, 18 * 360000u, 0, 1},
      {"America/New_York", Local(2021, 7, 10, 12, 0, 0, 0), 6, TRUE, 17 * 360000u, 0, 7},
      {"America/New_York", Local(2024, 3, 31, -1, 0, 0, 0), 0, 0, ALLDAY, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Machine) + " " + std::to_string(c.Zone) + " " + Fields(c.Local));
    ScopedTimeZone tz(c.Machine);
    TIME time = c.Local;
    time.weekday = 6;  // wrong, and ignored
    OSCurrentTimeZone(&time.zone, &time.dst);
    if (c.Zone) time.zone = c.Zone, time.dst = c.Dst;
    ASSERT_FALSE(TimeLocalToGM(&time));
    EXPECT_EQ(time.GM.Innards[0], c.Ticks);
    if (c.Date) {
      EXPECT_EQ(time.GM.Innards[1], c.Date);
    }
    TIME back{};
    back.zone = time.zone, back.dst = time.dst, back.GM = time.GM;
    ASSERT_FALSE(TimeGMToLocalZone(&back));
    EXPECT_EQ(Fields(back), c.Local.hour < 0 ? "2024-3-31 -1:-1:-1.-1" : Fields(c.Local));
    EXPECT_EQ(back.weekday, c.Weekday);
  }
}

// TimeGMToLocal uses the machine's zone, whatever the TIME said, and reports it.
TEST(TimeGMToLocal, UsesAndReportsTheMachinesZone) {
  ScopedTimeZone tz("America/New_York");
  TIME time{};
  time.zone = 3;
  time.GM.Innards[0] = 0x006CDCC0, time.GM.Innards[1] = 0x852563FC;
  EXPECT_FALSE(TimeGMToLocal(&time));
  EXPECT_EQ(time.zone, 5);
  EXPECT_EQ(time.dst, TRUE);
  EXPECT_EQ(Fields(time), "1996-12-10 14:49:4.0");
}

TEST(TimeConversion, InvalidFieldsLeaveGMZeroAndValuesThatAreNoTimeAreRefused) {
  ScopedTimeZone tz("UTC");
  TIME bad[] = {Local(2021, 13, 1, 0, 0, 0, 0),  Local(2021, 2, 29, 0, 0, 0, 0),
                Local(2021, 1, 1, 24, 0, 0, 0),  Local(2021, 1, 1, 0, 60, 0, 0),
                Local(2021, 1, 1, 0, 0, 0, 100), Local(0, 1, 1, 0, 0, 0, 0),
                Local(2021, 1, 1, -2, 0, 0, 0),  Local(2021, 1, 1, 0, 0, 0, 0)};
  bad[7].zone = 77;
  for (TIME& time : bad) {
    time.GM.Innards[0] = time.GM.Innards[1] = 0xDEAD;
    EXPECT_TRUE(TimeLocalToGM(&time)) << Fields(time);
    EXPECT_EQ(time.GM.Innards[0] | time.GM.Innards[1], 0u) << Fields(time);
  }
  EXPECT_TRUE(TimeLocalToGM(nullptr));
  // Nor do values that are no time expand into fields.
  const TIMEDATE noTimes[] = {
      {{ALLDAY, ANYDAY}}, {{TICKS_IN_DAY, 2450428}}, {{0, 5}}};  // 5: before 1
  for (const TIMEDATE& value : noTimes) {
    TIME time{};
    time.GM = value;
    EXPECT_TRUE(TimeGMToLocalZone(&time)) << value.Innards[1];
  }
  EXPECT_TRUE(TimeGMToLocalZone(nullptr));
}

TEST(TimeDate, ConstantsAndComparisonByDayThenTimeIgnoringTheZone) {
  TIMEDATE value{{1, 2}};
  TimeConstant(TIMEDATE_MINIMUM, &value);
  EXPECT_EQ(value.Innards[0] | value.Innards[1], 0u);
  TimeConstant(TIMEDATE_WILDCARD, &value);
  EXPECT_EQ(value.Innards[0], ALLDAY);
  EXPECT_EQ(TimeExtractJulianDate(&value), ANYDAY);
  TimeConstant(TIMEDATE_MAXIMUM, &value);
  ScopedTimeZone tz("UTC");
  EXPECT_EQ(Fields(Expand(value)), "9999-12-31 23:59:59.99");
  TIMEDATE early{}, late{}, nextDay{};
  TimeConstruct(2450428, 100, &early);
  TimeConstruct(2450428, 200, &late);
  TimeConstruct(2450429, 0, &nextDay);
  TIMEDATE otherZone = early;
  otherZone.Innards[1] |= 0x85000000;
  EXPECT_LT(TimeDateCompare(&early, &late), 0);
  EXPECT_GT(TimeDateCompare(&late, &early), 0);
  EXPECT_EQ(TimeDateCompare(&early, &otherZone), 0);
  EXPECT_LT(TimeDateCompare(&late, &nextDay), 0);
  EXPECT_EQ(TimeExtractJulianDate(&otherZone), 2450428u);
  EXPECT_EQ(TimeExtractTicks(&late), 200u);
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
  OSCurrentTimeZone(nullptr, nullptr);  // unwanted outputs may be null
}
