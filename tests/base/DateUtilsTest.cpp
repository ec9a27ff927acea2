#include <gtest/gtest.h>

#include <cmath>

#include "DateUtils.h"

namespace {

struct TYmd {
  int Year, Month, Day;
  bool operator==(const TYmd&) const = default;
};

TYmd Decoded(TDateTime Value) {
  TYmd Result{};
  DecodeDate(Value, Result.Year, Result.Month, Result.Day);
  return Result;
}

int DecodedMSec(TDateTime Value) {
  int Hour, Min, Sec, MSec;
  DecodeTime(Value, Hour, Min, Sec, MSec);
  return ((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec;
}

TEST(DateUtils, KnownDayNumbersAndWeekdaysFromSunday) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1899, 12, 31), 1);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);    // a Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 4) + 0.75), 2);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);  // a Monday
}

TEST(DateUtils, EveryDayRoundTripsAcrossTheCalendar) {
  // Every day of selected years (leap rules of 4, 100 and 400), and a sweep across all years.
  for (int Year : {1, 4, 1600, 1700, 1899, 1900, 2000, 2023, 2024, 2100, 9999}) {
    TDateTime Previous = EncodeDate(Year, 1, 1) - 1;
    for (int Month = 1; Month <= 12; ++Month)
      for (int Day = 1; IsValidDate(Year, Month, Day); ++Day) {
        TDateTime Value = EncodeDate(Year, Month, Day);
        ASSERT_EQ(Value, Previous + 1) << Year << "-" << Month << "-" << Day;
        ASSERT_EQ(Decoded(Value), (TYmd{Year, Month, Day}));
        Previous = Value;
      }
  }
  for (TDateTime Value = EncodeDate(1, 1, 1); Value <= EncodeDate(9999, 12, 31); Value += 997) {
    TYmd D = Decoded(Value);
    ASSERT_EQ(EncodeDate(D.Year, D.Month, D.Day), Value);
  }
}

TEST(DateUtils, LeapYearsAndInvalidDates) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  EXPECT_FALSE(IsValidDate(2023, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2024, 4, 31));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
  EXPECT_FALSE(IsValidDate(10000, 1, 1));
  EXPECT_FALSE(IsValidDate(2024, 13, 1));
  TDateTime Untouched = 42;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, Untouched));
  EXPECT_EQ(Untouched, 42);
  try {
    EncodeDate(2023, 2, 29);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Invalid argument to date encode");
  }
}

TEST(DateUtils, TimeEncodingAndInvalidTimes) {
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(DecodedMSec(EncodeTime(23, 59, 59, 999)), 86399999);
  TDateTime Value = 0;
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, Value));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, Value));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, Value));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, Value));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, Value));
  try {
    EncodeTime(25, 0, 0, 0);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Invalid argument to time encode");
  }
}

TEST(DateUtils, DecodingRoundsToTheMillisecondAndTakesNegativeFractionsByMagnitude) {
  EXPECT_EQ(DecodedMSec(0.5 / 86400), 500);  // half a second, not 499
  EXPECT_EQ(DecodedMSec(0.5 + 0.010 / 86400), 43200010);
  TDateTime Day = EncodeDate(2024, 7, 1);
  // Every millisecond of a second, on a large day number where the fraction has fewer bits.
  for (int MSec = 0; MSec < 1000; ++MSec) {
    TDateTime Value = Day + EncodeTime(17, 45, 12, MSec);
    ASSERT_EQ(DecodedMSec(Value), ((17 * 60 + 45) * 60 + 12) * 1000 + MSec);
  }
  TDateTime Value = EncodeDate(2023, 12, 31) + 0.9999999999;
  EXPECT_EQ(Decoded(Value), (TYmd{2024, 1, 1}));
  EXPECT_EQ(DecodedMSec(Value), 0);
  EXPECT_EQ(Decoded(-1.25), (TYmd{1899, 12, 29}));
  EXPECT_EQ(DecodedMSec(-1.25), 6 * 3600 * 1000);
  EXPECT_EQ(Decoded(-0.5), (TYmd{1899, 12, 30}));
  EXPECT_EQ(DecodedMSec(-0.5), 12 * 3600 * 1000);
}

TEST(DateUtils, UndecodableValuesGiveZeros) {
  for (TDateTime Value : {-700000.0, std::nan(""), 1e300, -1e300}) {
    EXPECT_EQ(Decoded(Value), (TYmd{0, 0, 0}));
    EXPECT_EQ(DecodedMSec(Value), 0);
    EXPECT_EQ(DayOfWeek(Value), 0);
  }
}

TEST(DateUtils, NowSplitsIntoDateAndTime) {
  TDateTime Day = Date();
  TDateTime Clock = Time();
  EXPECT_EQ(Day, std::trunc(Day));
  EXPECT_GE(Clock, 0);
  EXPECT_LT(Clock, 1);
  EXPECT_GE(Decoded(Now()).Year, 2024);
}

}  // namespace
