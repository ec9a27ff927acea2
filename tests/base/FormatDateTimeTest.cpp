#include <gtest/gtest.h>

#include <cmath>

#include "DateTimeFormat.h"
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

// Each letter of the format language, the twelve-hour clock, separators, literals and the
// combined formats, in the default, German and American settings.
TEST(FormatDateTime, FormatsEveryLetterAndLiteralAndStopsSelfReferringFormats) {
  const TDateTime Midnight = EncodeDate(2024, 3, 3);
  const TFormatSettings Default, De = German(), Us = UnitedStates();
  TFormatSettings NoSeparator = German();
  NoSeparator.DateSeparator = '\0';
  const struct {
    const char* Format;
    TDateTime Value;
    const TFormatSettings& Settings;
    const char* Expected;
  } Cases[] = {
      {"d dd ddd dddd", Sample, Default, "3 03 Sun Sunday"},
      {"m mm mmm mmmm", Sample, Default, "3 03 Mar March"},
      {"yy yyyy y", Sample, Default, "24 2024 24"},
      {"yyyy", EncodeDate(5, 1, 1), Default, "0005"},
      {"ddddd", Sample, Default, "2024-03-03"},
      {"dddddd", Sample, Default, "Sunday, 3 March 2024"},
      {"aaa aaaa", Sample, Default, "Sun Sunday"},
      {"h hh n nn s ss z zzz", Sample, Default, "14 14 5 05 9 09 45 045"},
      {"t", Sample, Default, "14:05"},
      {"tt", Sample, Default, "14:05:09"},
      {"hh:mm", Sample, Default, "14:05"},   // m after an hour is the minute
      {"h\"h\"m", Sample, Default, "14h5"},  // also across a quoted literal
      {"mm hh", Sample, Default, "03 14"},
      {"h:nn am/pm", Sample, Default, "2:05 pm"},
      {"h:nn AM/PM", Midnight, Default, "12:00 AM"},
      {"h a/p", Midnight + 0.5, Default, "12 p"},
      {"hh ampm", Midnight + 0.25, Default, "06 AM"},
      {"h ampm \"h\" h", Sample, Default, "2 PM h 14"},  // the marker serves the hour before it
      {"ampm", Sample, De, ""},
      {"dd/mm/yyyy hh:nn", Sample, De, "03.03.2024 14:05"},
      {"'d/m' \"y:s\" dd", Sample, De, "d/m y:s 03"},
      {"dd 'open", Sample, De, "03 open"},
      {"ddd, d. mmmm", Sample, De, "So, 3. M\xC3\xA4rz"},
      {"[x] #", Sample, Default, "[x] #"},
      {"dd/mm", Sample, NoSeparator, "0303"},
      {"c", Sample, Default, "2024-03-03 14:05:09"},
      {"", Sample, Default, "2024-03-03 14:05:09"},
      {"c", Sample, Us, "3/3/2024 2:05:09 PM"},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Fmt(Case.Format, Case.Value, Case.Settings), Case.Expected) << Case.Format;
  // Self-referring formats stop; undecodable values do not crash.
  TFormatSettings S;
  S.ShortDateFormat = "c";
  S.LongTimeFormat = "tt";
  // Each level adds only its blank before the time; the third level is not expanded.
  EXPECT_EQ(Fmt("c", Sample, S), "  ");
  EXPECT_EQ(Fmt("yyyy-mm-dd ddd mmm hh:nn", std::nan("")), "0000-00-00   00:00");
}

TEST(DateTimeToStr, LeavesOutExactMidnightAndWritesDateOrTimeAlone) {
  TFormatSettings S = German();
  TDateTime Day = EncodeDate(2024, 12, 24);
  EXPECT_EQ(DateTimeToStr(Day, S), "24.12.2024");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(0, 0, 0, 500), S), "24.12.2024 00:00:00");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(0, 0, 1, 0), S), "24.12.2024 00:00:01");
  EXPECT_EQ(DateTimeToStr(Day + EncodeTime(23, 59, 59, 0), S), "24.12.2024 23:59:59");
  // A value a hair before midnight rounds to the next day's midnight.
  EXPECT_EQ(DateTimeToStr(Day + 0.99999999999, S), "25.12.2024");
  EXPECT_EQ(DateToStr(Sample, S), "03.03.2024");
  EXPECT_EQ(TimeToStr(Sample, S), "14:05:09");
  EXPECT_EQ(TimeToStr(EncodeDate(2024, 1, 1), S), "00:00:00");
  // One format read once serves many values, each with or without its time, appended in turn.
  const TDateTimeFormat Format("c", S);
  std::string Text;
  for (TDateTime Value : {Day, Sample, Day, Day + EncodeTime(0, 0, 1, 0)})
    Format.AppendTo(Text, Value);
  EXPECT_EQ(Text, "24.12.202403.03.2024 14:05:0924.12.202424.12.2024 00:00:01");
}

}  // namespace
