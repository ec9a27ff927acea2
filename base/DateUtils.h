#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "SysUtils.h"

// Days since 30 December 1899; the fraction is the time of day; local time. For a negative
// value the integral part is the day and the fraction's absolute value the time of day.
using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerHour = 60;
constexpr int SecsPerMin = 60;
constexpr int MSecsPerSec = 1000;
constexpr int MSecsPerDay = HoursPerDay * MinsPerHour * SecsPerMin * MSecsPerSec;

// Years 1 to 9999.
bool IsLeapYear(int Year);
bool IsValidDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);
// Raises EConvertError for an invalid date.
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Result);
// Raises EConvertError for an invalid time.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);

// Both round the value to the nearest millisecond first, so they agree with each other (a time
// a hair before midnight belongs to the next day). A value before 1 January 0001, or not a
// number, decodes as all zeros.
void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);
// 1 = Sunday ... 7 = Saturday; 0 for a value DecodeDate cannot decode.
int DayOfWeek(TDateTime DateTime);

// The local date-time of a moment given in seconds and nanoseconds since 1970 (UTC).
TDateTime LocalDateTime(int64_t Seconds, int64_t NanoSeconds);
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Regional formats. The letters of the formats are those of FormatDateTime.
struct TFormatSettings {
  char DateSeparator = '-';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "yyyy-mm-dd";
  std::string LongDateFormat = "dddd, d mmmm yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
  // Sunday first.
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  // A two-digit year read from text lies within this many years before the current one and
  // 100 minus this many after it.
  int TwoDigitYearCenturyWindow = 50;
};

// The user's settings, made on first use from the locale the environment names for dates and
// times (LC_ALL, LC_TIME, LANG); see LocaleFormatSettings. Process-wide; changes are seen by
// every later call.
TFormatSettings& FormatSettings();
// The settings of one locale. The C and POSIX locales, and a locale the system does not have,
// give the defaults above; for other locales the short date and long time formats are
// translated from the locale's date and time formats (TranslateStrftime), the short time
// format is the long one without seconds, and the names and AM/PM texts are the locale's. The
// long date format has no counterpart in the locale data and keeps its default layout.
TFormatSettings LocaleFormatSettings(const std::string& LocaleName);
// A strftime format in FormatDateTime letters: %d dd, %e d, %m mm, %b mmm, %B mmmm, %y yy,
// %Y yyyy, %a ddd, %A dddd, %H hh, %I hh, %k and %l h, %M nn, %S ss, %p ampm, and %D %F %T %R %r
// by their parts; text is quoted where it holds letters; other conversions are dropped.
// Separator receives the first punctuation character outside the conversions, or stays unset.
std::string TranslateStrftime(const std::string& Strftime, char& Separator);

// Delphi's format letters: d dd ddd dddd ddddd (short date) dddddd (long date), m mm mmm mmmm
// (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t (short time) tt (long
// time), am/pm a/p ampm (12-hour clock for the hour before them), aaa aaaa (day names),
// c (short date, then a blank and the long time unless the time is exactly midnight), / (date
// separator), : (time separator), text in single or double quotes. Other characters are copied.
// An empty format means "c".
std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings = FormatSettings());
std::string DateToStr(TDateTime DateTime, const TFormatSettings& Settings = FormatSettings());
std::string TimeToStr(TDateTime DateTime, const TFormatSettings& Settings = FormatSettings());
std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings = FormatSettings());

// Dates as numbers in the order of the short date format, separated by the date separator
// (a missing year is the current one); times as h[:n[:s[.fraction]]] with the time separator and
// an optional AM/PM before or after; a date and time separated by blanks.
bool TryStrToDate(const std::string& S, TDateTime& Value,
                  const TFormatSettings& Settings = FormatSettings());
bool TryStrToTime(const std::string& S, TDateTime& Value,
                  const TFormatSettings& Settings = FormatSettings());
bool TryStrToDateTime(const std::string& S, TDateTime& Value,
                      const TFormatSettings& Settings = FormatSettings());
// Raise EConvertError.
TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings = FormatSettings());
TDateTime StrToTime(const std::string& S, const TFormatSettings& Settings = FormatSettings());
TDateTime StrToDateTime(const std::string& S, const TFormatSettings& Settings = FormatSettings());
