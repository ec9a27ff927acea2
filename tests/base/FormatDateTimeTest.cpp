#include <gtest/gtest.h>

#include <cmath>

#include "DateUtils.h"

namespace {

TFormatSettings German() {
  TFormatSettings S;
  S.DateSeparator = '.';
  S.TimeSeparator = ':';
  S.ShortDateFormat = "dd/mm/yyyy";
  S.LongDateFormat = "dddd, d. mmmm yyyy";
  S.ShortTimeFormat = "hh:nn";
  S.LongTimeFormat = "hh:nn:ss";
  S.TimeAMString = "";
  S.TimePMString = "";
  S.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  S.LongMonthNames[2] = "M\xC3\xA4rz";
  return S;
}

TFormatSettings UnitedStates() {
  TFormatSettings S;
  S.DateSeparator = '/';
  S.ShortDateFormat = "m/d/yyyy";
  S.LongTimeFormat = "h:nn:ss ampm";
  return S;
}

// Sunday, 3 March 2024, 14:05:09.045
const TDateTime Sample = EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 45);

std::string Fmt(const std::string& Format, TDateTime Value = Sample,
                const TFormatSettings& Settings = TFormatSettings()) {
  return FormatDateTime(Format, Value, Settings);
}

TEST(FormatDateTime, DateLetters) {
  EXPECT_EQ(Fmt("d dd ddd dddd"), "3 03 Sun Sunday");
  EXPECT_EQ(Fmt("m mm mmm mmmm"), "3 03 Mar March");
  EXPECT_EQ(Fmt("yy yyyy y"), "24 2024 24");
  EXPECT_EQ(Fmt("yyyy", EncodeDate(5, 1, 1)), "0005");
  EXPECT_EQ(Fmt("ddddd"), "2024-03-03");
  EXPECT_EQ(Fmt("dddddd"), "Sunday, 3 March 2024");
  EXPECT_EQ(Fmt("aaa aaaa"), "Sun Sunday");
}

TEST(FormatDateTime, TimeLetters) {
  EXPECT_EQ(Fmt("h hh n nn s ss z zzz"), "14 14 5 05 9 09 45 045");
  EXPECT_EQ(Fmt("t"), "14:05");
  EXPECT_EQ(Fmt("tt"), "14:05:09");
  EXPECT_EQ(Fmt("hh:mm"), "14:05");   // m after an hour is the minute
  EXPECT_EQ(Fmt("h\"h\"m"), "14h5");  // also across a quoted literal
  EXPECT_EQ(Fmt("mm hh"), "03 14");
}

TEST(FormatDateTime, TwelveHourClock) {
  TDateTime Midnight = EncodeDate(2024, 3, 3);
  TDateTime Noon = Midnight + 0.5;
  EXPECT_EQ(Fmt("h:nn am/pm"), "2:05 pm");
  EXPECT_EQ(Fmt("h:nn AM/PM", Midnight), "12:00 AM");
  EXPECT_EQ(Fmt("h a/p", Noon), "12 p");
  EXPECT_EQ(Fmt("hh ampm", Midnight + 0.25), "06 AM");
  EXPECT_EQ(Fmt("h ampm \"h\" h"), "2 PM h 14");  // the marker serves the hour before it only
  EXPECT_EQ(Fmt("ampm", Sample, German()), "");
}

TEST(FormatDateTime, SeparatorsAndLiterals) {
  TFormatSettings S = German();
  EXPECT_EQ(Fmt("dd/mm/yyyy hh:nn", Sample, S), "03.03.2024 14:05");
  EXPECT_EQ(Fmt("'d/m' \"y:s\" dd", Sample, S), "d/m y:s 03");
  EXPECT_EQ(Fmt("dd 'open", Sample, S), "03 open");
  EXPECT_EQ(Fmt("ddd, d. mmmm", Sample, S), "So, 3. M\xC3\xA4rz");
  EXPECT_EQ(Fmt("[x] #"), "[x] #");
  S.DateSeparator = '\0';
  EXPECT_EQ(Fmt("dd/mm", Sample, S), "0303");
}

TEST(FormatDateTime, CombinedAndEmptyFormats) {
  EXPECT_EQ(Fmt("c"), "2024-03-03 14:05:09");
  EXPECT_EQ(Fmt(""), "2024-03-03 14:05:09");
  EXPECT_EQ(Fmt("c", Sample, UnitedStates()), "3/3/2024 2:05:09 PM");
}

TEST(FormatDateTime, SelfReferringFormatsStop) {
  TFormatSettings S;
  S.ShortDateFormat = "c";
  S.LongTimeFormat = "tt";
  // Each level adds only its blank before the time; the third level is not expanded.
  EXPECT_EQ(Fmt("c", Sample, S), "  ");
}

TEST(FormatDateTime, UndecodableValuesDoNotCrash) {
  EXPECT_EQ(Fmt("yyyy-mm-dd ddd mmm hh:nn", std::nan("")), "0000-00-00   00:00");
}

TEST(DateTimeToStr, LeavesOutExactMidnight) {
  TFormatSettings S = German();
  TDateTime Day = EncodeDate(2024, 12, 24);
  EXPECT_EQ(DateTimeToStr(Day, S), "24.12.2024");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(0, 0, 0, 500), S), "24.12.2024 00:00:00");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(0, 0, 1, 0), S), "24.12.2024 00:00:01");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(23, 59, 59, 0), S), "24.12.2024 23:59:59");
  // A value a hair before midnight rounds to the next day's midnight.
  EXPECT_EQ(DateTimeToStr(Day + 0.99999999999, S), "25.12.2024");
}

TEST(DateTimeToStr, DateAndTimeAlone) {
  TFormatSettings S = German();
  EXPECT_EQ(DateToStr(Sample, S), "03.03.2024");
  EXPECT_EQ(TimeToStr(Sample, S), "14:05:09");
  EXPECT_EQ(TimeToStr(EncodeDate(2024, 1, 1), S), "00:00:00");
}

}  // namespace
