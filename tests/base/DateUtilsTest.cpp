#include <gtest/gtest.h>

#include <cmath>

#include "DateUtils.h"
#include "ErrorOf.h"

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

TEST(DateUtils, LeapYearsAndInvalidDatesAndTimes) {
  for (int Year : {2000, 2024}) EXPECT_TRUE(IsLeapYear(Year)) << Year;
  for (int Year : {1900, 2023}) EXPECT_FALSE(IsLeapYear(Year)) << Year;
  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  const TYmd Invalid[] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31},
                          {0, 1, 1},     {10000, 1, 1}, {2024, 13, 1}};
  for (const TYmd& D : Invalid) EXPECT_FALSE(IsValidDate(D.Year, D.Month, D.Day)) << D.Year;
  TDateTime Untouched = 42;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, Untouched));
  EXPECT_EQ(Untouched, 42);
  EXPECT_EQ(vesktest::ErrorOf<EConvertError>([] { EncodeDate(2023, 2, 29); }),
            "Invalid argument to date encode");
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(DecodedMSec(EncodeTime(23, 59, 59, 999)), 86399999);
  const int Times[][4] = {
      {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& T : Times) EXPECT_FALSE(TryEncodeTime(T[0], T[1], T[2], T[3], Untouched));
  EXPECT_EQ(vesktest::ErrorOf<EConvertError>([] { EncodeTime(25, 0, 0, 0); }),
            "Invalid argument to time encode");
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

TEST(DateUtils, UndecodableValuesGiveZerosAndNowSplitsIntoDateAndTime) {
  for (TDateTime Value : {-700000.0, std::nan(""), 1e300, -1e300}) {
    EXPECT_EQ(Decoded(Value), (TYmd{0, 0, 0}));
    EXPECT_EQ(DecodedMSec(Value), 0);
    EXPECT_EQ(DayOfWeek(Value), 0);
  }
  EXPECT_EQ(Date(), std::trunc(Date()));
  EXPECT_GE(Time(), 0);
  EXPECT_LT(Time(), 1);
  EXPECT_GE(Decoded(Now()).Year, 2024);
}

}  // namespace
