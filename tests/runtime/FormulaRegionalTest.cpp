// Date-time and number text in the regional settings of a locale, built from what the C library
// says about that locale (the texts below are those of glibc's locale data), so the tests need no
// locale installed on the machine.
#include <vector>

#include "FormulaFixture.h"

using formulatest::FormulaTest;
using formulatest::TCase;

namespace {

struct TLocaleCase {
  const char* Name;
  notesrt::TLocaleTexts Texts;
  std::vector<TCase> Cases;
};

notesrt::TLocaleTexts Texts(const char* Date, const char* Time, const char* AmPm, const char* Am,
                            const char* Pm, const char* Decimal, const char* Thousands,
                            const char* Currency, int Precedes, int Space) {
  notesrt::TLocaleTexts texts;
  texts.Codeset = "UTF-8";
  texts.DateFormat = Date, texts.TimeFormat = Time, texts.TimeFormatAmPm = AmPm;
  texts.Am = Am, texts.Pm = Pm;
  texts.Decimal = Decimal, texts.Thousands = Thousands, texts.Currency = Currency;
  texts.CurrencyPrecedes = Precedes, texts.CurrencySpace = Space, texts.CurrencyDigits = 2;
  return texts;
}

using FormulaRegional = FormulaTest;

TEST_F(FormulaRegional, DateTimeAndNumberTextFollowTheLocale) {
  const TLocaleCase locales[] = {
      {"en_US",
       Texts("%m/%d/%Y", "%r", "%I:%M:%S %p", "AM", "PM", ".", ",", "$", 1, 0),
       {{"@Text([2024-01-31 10:30])", "\"01/31/2024 10:30:00 AM\"", "morning: AM"},
        {"@Text([2024-01-31 22:30])", "\"01/31/2024 10:30:00 PM\"", "evening: PM"},
        {"@Text([2024-01-31 00:15]; \"T1\")", "\"01/31/2024 12:15 AM\"", "after midnight is 12 AM"},
        {"@Text([12:00])", "\"12:00:00 PM\"", "noon is 12 PM"},
        {"@Text([1999-12-31])", "\"12/31/1999\"", "four-digit year format"},
        {"@TextToTime(\"01/31/2024 10:30 PM\")", "[2024-01-31 22:30]", "reads the 12-hour clock"},
        {"@Text(-1234.5; \"C,2\")", "\"-$1,234.50\"", "negative currency"}}},
      {"de_DE",
       Texts("%d.%m.%Y", "%T", "", "", "", ",", ".", "\xE2\x82\xAC", 0, 1),
       {{"@Text([2024-01-31 22:30])", "\"31.01.2024 22:30:00\"", "day first, dots"},
        {"@Text([2024-01-31]; \"D2\")", "\"31.01\"", "D2: day and month"},
        {"@Text([2024-01-31]; \"D3\")", "\"01.2024\"", "D3: month and year"},
        {"@TextToTime(\"31.01.2024 10:30\")", "[2024-01-31 10:30]", "reads its own order"},
        {"@Text(1234.5; \"F,2\")", "\"1.234,50\"", "decimal comma, thousands dot"},
        {"@Text(1234.5; \"C,2\")", "\"1.234,50 \xE2\x82\xAC\"", "currency after, spaced"},
        {"@Text(1.5)", "\"1,5\"", "general with decimal comma"},
        {"@TextToNumber(\"1,5 kg\")", "1.5", "leading number with decimal comma"}}},
      {"en_GB",
       Texts("%d/%m/%y", "%T", "%l:%M:%S %P", "am", "pm", ".", ",", "\xC2\xA3", 1, 0),
       {{"@Text([2024-01-31 22:30])", "\"31/01/2024 22:30:00\"", "day first, slashes"},
        {"@Text([1999-12-31])", "\"31/12/99\"", "two-digit year"},
        {"@TextToTime(\"31/12/99\")", "[1999-12-31]", "reads two-digit year day first"},
        {"@Text(1234.5; \"C,2\")",
         "\"\xC2\xA3"
         "1,234.50\"",
         "pound sign before"}}},
      {"fr_CA",
       Texts("%Y-%m-%d", "%H:%M:%S", "", "", "", ",", " ", "$", 0, 1),
       {{"@Text([2024-01-31 22:30])", "\"2024-01-31 22:30:00\"", "year first, dashes"},
        {"@Text([2024-01-31]; \"D2\")", "\"01-31\"", "D2: month and day"},
        {"@Text([2024-01-31]; \"D3\")", "\"2024-01\"", "D3: year and month"},
        {"@Text(1234.5; \"C,2\")", "\"1 234,50 $\"", "space for thousands, currency after"}}},
      {"AM/PM first",
       Texts("%Y/%m/%d", "%p %I:%M:%S", "%p %I:%M:%S", "AM", "PM", ".", ",", "$", 1, 0),
       {{"@Text([2024-01-31 22:30])", "\"2024/01/31 PM 10:30:00\"", "PM before the time"},
        {"@TextToTime(\"2024/01/31 PM 10:30\")", "[2024-01-31 22:30]",
         "reads PM before the time"}}},
  };
  for (const TLocaleCase& locale : locales) {
    SCOPED_TRACE(locale.Name);
    FContext.Regional = notesrt::RegionalSettingsOf(locale.Texts);
    for (const TCase& c : locale.Cases) Check({c});
    // What @Text writes, @TextToTime reads back.
    Check({{"@TextToTime(@Text([2024-01-31 22:30:15]))", "[2024-01-31 22:30:15]"},
           {"@TextToTime(@Text([2024-01-31]))", "[2024-01-31]"},
           {"@TextToTime(@Text([08:05:00]))", "[08:05:00]"}});
  }
}

}  // namespace
