#include <gtest/gtest.h>

#include "DateUtils.h"
#include "ErrorOf.h"

namespace {

TFormatSettings Settings(const char* ShortDate, char DateSeparator) {
  TFormatSettings S;
  S.ShortDateFormat = ShortDate;
  S.DateSeparator = DateSeparator;
  return S;
}

const TFormatSettings German = Settings("dd.mm.yyyy", '.');
const TFormatSettings American = Settings("m/d/yyyy", '/');
const TFormatSettings Iso = Settings("yyyy-mm-dd", '-');

TEST(StrToDate, FollowsTheShortDateFormatTakesShortAndMissingYearsAndRejectsNoDate) {
  EXPECT_EQ(StrToDate("24.12.2024", German), EncodeDate(2024, 12, 24));
  EXPECT_EQ(StrToDate("12/24/2024", American), EncodeDate(2024, 12, 24));
  EXPECT_EQ(StrToDate("2024-12-24", Iso), EncodeDate(2024, 12, 24));
  EXPECT_EQ(StrToDate(" 1.2.2024. ", German), EncodeDate(2024, 2, 1));
  int Year, Month, Day;
  DecodeDate(Date(), Year, Month, Day);
  EXPECT_EQ(StrToDate("24.12", German), EncodeDate(Year, 12, 24));
  TFormatSettings Fixed = German;
  Fixed.TwoDigitYearCenturyWindow = 0;  // two digits: this century
  EXPECT_EQ(StrToDate("1.1.05", Fixed), EncodeDate(Year / 100 * 100 + 5, 1, 1));
  TDateTime Value = StrToDate("1.1.99", German);  // within 50 years before now
  DecodeDate(Value, Year, Month, Day);
  EXPECT_EQ(Year % 100, 99);
  EXPECT_GT(Year, 1900);
  // What is no date is rejected.
  Value = 7;
  for (const char* Text : {"", "31.2.2024", "24-12-2024", "24.12.2024x", "a.b.c", "24..2024",
                           "24.12.2024 12:00", "1234567890.1.1"})
    EXPECT_FALSE(TryStrToDate(Text, Value, German)) << Text;
  EXPECT_EQ(Value, 7);
  EXPECT_EQ(vesktest::ErrorOf<EConvertError>([&] { StrToDate("soon", German); }),
            "'soon' is not a valid date");
}

TEST(StrToTime, HoursMinutesSecondsFractionsAmAndPm) {
  TFormatSettings S;
  S.TimeAMString = "vorm.";
  S.TimePMString = "nachm.";
  const struct {
    const char* Text;
    int H, M, S, MS;
  } Times[] = {
      {"14:05", 14, 5, 0, 0},          {"14:05:09", 14, 5, 9, 0},  {"14:05:09.5", 14, 5, 9, 500},
      {"14:05:09.0451", 14, 5, 9, 45}, {"7", 7, 0, 0, 0},          {"2:05 PM", 14, 5, 0, 0},
      {"12:30 am", 0, 30, 0, 0},       {"12:30 pm", 12, 30, 0, 0}, {"nachm. 3:00", 15, 0, 0, 0}};
  for (const auto& T : Times)
    EXPECT_EQ(StrToTime(T.Text, S), EncodeTime(T.H, T.M, T.S, T.MS)) << T.Text;
  for (const char* Text : {"24:00", "12:60", "12:", "13:00 PM", "0:10 AM"})
    EXPECT_THROW(StrToTime(Text, S), EConvertError) << Text;
}

TEST(StrToDateTime, DateTimeDateAloneOrTimeAloneAndWhatDateTimeToStrWrites) {
  EXPECT_EQ(StrToDateTime("24.12.2024 18:30", German),
            EncodeDate(2024, 12, 24) + EncodeTime(18, 30, 0, 0));
  EXPECT_EQ(StrToDateTime("24.12.2024", German), EncodeDate(2024, 12, 24));
  EXPECT_EQ(StrToDateTime("18:30", German), EncodeTime(18, 30, 0, 0));
  EXPECT_EQ(StrToDateTime("30.12.1899 06:00", German), 0.25);
  EXPECT_EQ(StrToDateTime("29.12.1899 06:00", German), -1.25);
  EXPECT_THROW(StrToDateTime("24.12.2024 18:30 extra", German), EConvertError);
  EXPECT_THROW(StrToDateTime("Mo 24.12.2024", German), EConvertError);
  // What DateTimeToStr writes reads back.
  TFormatSettings S = German;
  S.LongTimeFormat = "hh:nn:ss";
  for (TDateTime Value :
       {EncodeDate(2024, 2, 29), EncodeDate(1899, 12, 30) + EncodeTime(0, 0, 1, 0),
        EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 0)})
    EXPECT_EQ(StrToDateTime(DateTimeToStr(Value, S), S), Value) << DateTimeToStr(Value, S);
}

}  // namespace
