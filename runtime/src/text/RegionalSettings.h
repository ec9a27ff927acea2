#pragma once

#include <string>

#include "core/TestedApi.h"

namespace notesrt {

enum class TDateOrder { MDY, DMY, YMD };

// How dates, times and numbers are written and read, as a client's international settings say:
// numeric dates in one order with one separator, a 24- or 12-hour clock, and the decimal and
// thousands separators and currency symbol for numbers. The defaults are those of the C locale,
// with the platform's "," and "$" where that locale has no thousands separator or currency.
struct NOTESRT_TESTED TRegionalSettings {
  TDateOrder DateOrder = TDateOrder::MDY;
  std::u16string DateSeparator = u"/";
  // Otherwise two digits, for the years that read back as the same year (1950 to 1999).
  bool FourDigitYear = false;
  std::u16string TimeSeparator = u":";
  bool TwelveHour = false;
  bool AmPmFirst = false;
  std::u16string Am = u"AM";
  std::u16string Pm = u"PM";
  std::u16string Decimal = u".";
  std::u16string Thousands = u",";
  std::u16string Currency = u"$";
  bool CurrencyAfter = false;
  bool CurrencySpace = false;
  int CurrencyDigits = 2;
};

// What a locale says about dates, times and numbers, as nl_langinfo gives it: texts in the
// locale's character set, numbers -1 where the locale leaves them open. The defaults are the C
// locale's.
struct NOTESRT_TESTED TLocaleTexts {
  std::string Codeset = "ANSI_X3.4-1968";
  std::string DateFormat = "%m/%d/%y";
  std::string TimeFormat = "%H:%M:%S";
  std::string TimeFormatAmPm = "%I:%M:%S %p";
  std::string Am = "AM";
  std::string Pm = "PM";
  std::string Decimal = ".";
  std::string Thousands;
  std::string Currency;
  int CurrencyPrecedes = -1;
  int CurrencySpace = -1;
  int CurrencyDigits = -1;
};

NOTESRT_TESTED TRegionalSettings RegionalSettingsOf(const TLocaleTexts& Texts);
// The calling thread's locale: LC_TIME for dates and times, LC_NUMERIC and LC_MONETARY for
// numbers.
NOTESRT_TESTED TLocaleTexts CurrentLocaleTexts();
NOTESRT_TESTED TRegionalSettings CurrentRegionalSettings();

}  // namespace notesrt
