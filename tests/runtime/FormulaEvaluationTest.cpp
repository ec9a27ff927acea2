// Errors as values, assignments to the note, defaults, selections and limits; dates and times,
// and text in regional settings.
#include <vector>

#include "FormulaFixture.h"
#include "notesapi/nsfsearc.h"

using formulatest::FormulaTest;
using formulatest::NumberItem;
using formulatest::TCase;

namespace {

using FormulaEvaluation = FormulaTest;

TEST_F(FormulaEvaluation, ErrorsTravelThroughOperatorsAndFunctions) {
  const std::pair<STATUS, std::vector<const char*>> cases[] = {
      {ERR_FORMULA_WRONG_TYPE,
       {"1 + \"a\"", "\"a\" = 1", "Amount > \"10\"", "-\"a\"", "[2024-01-01] < 1", "\"a\" : 1",
        "@Left(1; 1)", "[2024-01-01 - 2024-01-31] < [2024-02-01]"}},
      {ERR_FORMULA_DIVIDE_BY_ZERO, {"1 / 0", "@Modulo(5; 0)", "1/0 + @Error"}},
      {ERR_FORMULA_SUBSCRIPT, {"(1:2)[3]", "(1:2)[0]"}},
      {ERR_FORMULA_USER_ERROR, {"@Error + 1", "@Length(@Error)"}},
      {ERR_FORMULA_INVALID_ARGUMENT,
       {"@Subset(1:2; 0)", "@Text(1; \"Q\")", "@Date(2024; 2; 30)", "@Time(25; 0; 0)"}},
      {ERR_FORMULA_NOT_NUMBER, {"@TextToNumber(\"x12\")"}},
      {ERR_FORMULA_OVERFLOW,
       {"1e308 * 10", "[2024-01-01 - 2024-01-31] + 1", "[9999-12-31] + 86400 * 2"}},
      {ERR_FORMULA_NOT_TIME, {"@TextToTime(\"2024-13-01\")"}},
  };
  for (const auto& [status, formulas] : cases)
    for (const char* formula : formulas) {
      notesrt::TValue value = Value(formula);
      ASSERT_TRUE(value.IsError()) << formula;
      EXPECT_EQ(value.ErrorStatus(), status) << formula;
    }
}

TEST_F(FormulaEvaluation, ASelectionMatchesOnlyANonZeroNumber) {
  EXPECT_TRUE(Run("SELECT @All").Matches);
  EXPECT_TRUE(Run("SELECT Form = \"x\" | Amount = 42").Matches);
  EXPECT_FALSE(Run("SELECT Amount = 41").Matches);
  EXPECT_FALSE(Run("SELECT 1 / 0").Matches) << "an error selects nothing";
  EXPECT_FALSE(Run("SELECT \"1\"").Matches);
  EXPECT_TRUE(Run("Amount").Matches) << "without SELECT the last value decides";
  EXPECT_FALSE(Run("SELECT 0; 1").Matches) << "SELECT decides over later statements";
}

// FIELD and @SetField write the note in the item layouts, and later reads see the value; an
// error is never written, and DEFAULT writes nothing.
TEST_F(FormulaEvaluation, AssignmentsWriteTheNoteInItemLayoutsButNeverAnError) {
  notesrt::TFormulaResult result = Run("FIELD Subject := Subject + \"!\"; Subject");
  EXPECT_TRUE(result.Modified);
  EXPECT_EQ(result.Value, notesrt::TValue::Text(u"Hello!"));
  EXPECT_EQ(FContext.Items["SUBJECT"].Type, TYPE_TEXT);
  EXPECT_EQ(FContext.Items["SUBJECT"].Bytes, "Hello!");
  EXPECT_EQ(Value("@SetField(\"Count\"; 3) * 2"), notesrt::TValue::Number(6));
  EXPECT_EQ(FContext.Items["COUNT"].Bytes, NumberItem(3).Bytes);
  // The layouts of lists are those of every formula result (FormulaApiTest).
  Run("FIELD Numbers := 1:2; FIELD Names := \"a\":\"bc\"");
  EXPECT_EQ(FContext.Items["NAMES"].Type, TYPE_TEXT_LIST);
  EXPECT_EQ(FContext.Written, (std::vector<std::string>{"Subject", "Count", "Numbers", "Names"}));
  EXPECT_FALSE(Run("FIELD Amount := 1 / 0").Modified);
  EXPECT_EQ(FContext.Items["AMOUNT"].Bytes, NumberItem(42).Bytes);
  EXPECT_EQ(Value("DEFAULT Subject := \"d\"; Subject"), notesrt::TValue::Text(u"Hello!"));
  EXPECT_EQ(Value("DEFAULT Other := \"d\"; Other"), notesrt::TValue::Text(u"d"));
  EXPECT_EQ(FContext.Written.size(), 4u) << "neither an error nor DEFAULT writes";
}

TEST_F(FormulaEvaluation, WithoutANoteFieldsAreEmptyAndDocumentFunctionsFail) {
  FContext.Note = false;
  EXPECT_EQ(Value("Subject"), notesrt::TValue());
  EXPECT_EQ(Value("@IsAvailable(Subject)"), notesrt::TValue::Number(0));
  for (const char* formula : {"@Created", "@Modified", "@NoteID", "@DocumentUniqueID",
                              "@IsResponseDoc", "@Author", "@DbName", "@DbTitle", "FIELD X := 1"})
    EXPECT_EQ(Value(formula), notesrt::TValue::Error(ERR_FORMULA_NEEDS_NOTE)) << formula;
  EXPECT_EQ(Value("@Name([CN]; @UserName)"), notesrt::TValue::Text(u"John Doe"));
}

TEST_F(FormulaEvaluation, DamagedOrUnknownItemValuesDoNotCrash) {
  FContext.Set("Short", notesrt::TItemValue{TYPE_NUMBER, "abc"});
  FContext.Set("List", notesrt::TItemValue{TYPE_TEXT_LIST, std::string("\x05\x00\x02\x00", 4)});
  FContext.Set("Range", notesrt::TItemValue{TYPE_TIME_RANGE, std::string("\x01\x00\x09\x00", 4)});
  FContext.Set("Body", notesrt::TItemValue{TYPE_COMPOSITE, "\x01\x02\x03"});
  for (const char* name : {"Short", "List", "Range"})
    EXPECT_EQ(Value(name), notesrt::TValue::Error(ERR_FORMULA_DAMAGED_VALUE)) << name;
  EXPECT_EQ(Value("Body"), notesrt::TValue()) << "rich text reads as empty";
}

TEST_F(FormulaEvaluation, ValuesThatWouldExhaustMemoryBecomeErrors) {
  std::string formula =
      "x := \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\";";
  for (int i = 0; i < 20; ++i) formula += "x := x + x;";
  formula += "x";
  EXPECT_EQ(Value(formula), notesrt::TValue::Error(ERR_FORMULA_VALUE_TOO_BIG));
  std::string list = "x := 1:2:3:4:5:6:7:8:9:10; y := x *+ x *+ x *+ x *+ x; y *+ x";
  EXPECT_EQ(Value(list), notesrt::TValue::Error(ERR_FORMULA_VALUE_TOO_BIG));
}

// Dates and times in Europe/Berlin, which changes to summer time on 31 March 2024 at 02:00.
using FormulaTime = FormulaTest;

// Literals in ISO and US forms mean the same local time; adding seconds moves the instant
// (across the clock change too), subtracting times gives seconds, comparisons use the instant.
TEST_F(FormulaTime, LiteralsArithmeticComparisonsAndParts) {
  Check({{"[01/31/2024] : [01/31/2024 10:30 PM] : [12:00 AM] : [2024-01-31 10:30:15]",
          "[2024-01-31] : [2024-01-31 22:30] : [00:00] : @Date(2024; 1; 31; 10; 30; 15)"},
         {"([2024-01-31 10:00] + 3600) : (3600 + [2024-01-31 10:00]) : ([2024-01-31 10:00] - 60) : "
          "([2024-03-30 12:00] + 86400) : ([2024-01-31] + 3600) : ([23:00] + 7200)",
          "[2024-01-31 11:00] : [2024-01-31 11:00] : [2024-01-31 09:59] : [2024-03-31 13:00] : "
          "[2024-01-31 01:00] : [01:00]"},
         {"[2024-01-31]:[2024-02-01] + 86400", "[2024-02-01]:[2024-02-02]"},
         {"([2024-02-01] - [2024-01-31]) : ([2024-03-31 12:00] - [2024-03-30 12:00]) : "
          "([2024-01-31 10:00] - [2024-01-31])",
          "86400:82800:36000"},
         {"([2024-01-31 10:00] < [2024-01-31 11:00]) : ([2024-01-31] = [01/31/2024]) : "
          "([2024-01-31 10:00] *= [2024-01-30]:[2024-01-31 10:00])",
          "1:1:1"},
         {"t := [2024-01-31 10:30:15]; @Year(t) : @Month(t) : @Day(t) : @Hour(t) : @Minute(t)",
          "2024:1:31:10:30"},
         {"@Second([2024-01-31 10:30:15]) : @Weekday([2024-01-31])", "15:4"},
         {"@Hour([2024-01-31]) : @Year([10:30]) : @Hour(@Today)", "(-1):(-1):(-1)"},
         {"@Date(2024; 1; 31) : @Date([2024-01-31 10:30])", "[2024-01-31]:[2024-01-31]"},
         {"@Time(10; 30; 0) : @Time([2024-01-31 10:30]) : @Time(2024; 1; 31; 10; 30; 15)",
          "[10:30] : [10:30] : [2024-01-31 10:30:15]"},
         {"@IsTime(@Now)", "1"},
         {"@Today : @Yesterday : @Tomorrow",
          "@Date(@Now) : @Adjust(@Today; 0; 0; -1; 0; 0; 0) : (@Today + 86400)"},
         {"@TextToTime(\"2024-01-01 - 2024-01-31\") = [2024-01-01 - 2024-01-31]", "1"},
         {"@Text([2024-01-01 - 2024-01-31])", "\"01/01/2024 - 01/31/2024\""}});
  notesrt::TValue gmt = Value("[2024-01-31 10:30]");
  ASSERT_EQ(gmt.Kind(), notesrt::TValueKind::Time);
  EXPECT_EQ(gmt.AsTimes()[0].Lower.Innards[0], (9u * 3600 + 30 * 60) * 100) << "stored as GMT";
}

// Days first, then months, then years, then the clock; a day past a month's end rolls over.
TEST_F(FormulaTime, AdjustAppliesItsPartsInTheDocumentedOrder) {
  Check({{"@Adjust([2023-02-02]; 0; 2; 28; 0; 0; 0)", "[2023-05-02]",
          "documented: 2 months and 28 days after 2 February"},
         {"@Adjust([2024-01-31]; 1; 1; 0; 0; 0; 0)", "[2025-03-02]",
          "months before years: 31 January + 1 month is 2 March 2024"},
         {"@Adjust([2024-02-29]; 1; 0; 0; 0; 0; 0)", "[2025-03-01]", "29 February, a year on"},
         {"@Adjust([2024-01-31]; 0; 1; 0; 0; 0; 0)", "[2024-03-02]", "past the month's end"},
         {"@Adjust([2024-03-31]; 0; -1; 0; 0; 0; 0)", "[2024-03-02]", "a month back"},
         {"@Adjust([2024-01-30]; 0; 1; 2; 0; 0; 0)", "[2024-03-01]",
          "the days first: 1 February, then a month"},
         {"@Adjust([2024-01-30 23:00]; 0; 1; 1; 2; 0; 0)", "[2024-03-03 01:00]",
          "the clock last, into the next day"},
         {"@Adjust([2024-03-30 12:00]; 0; 0; 1; 0; 0; 0)", "[2024-03-31 12:00]",
          "a day keeps the wall clock across the change to summer time"},
         {"@Adjust([2024-12-31 23:30]; 1; 0; 0; 0; 45; 0)", "[2026-01-01 00:15]",
          "minutes over the year's end"},
         {"@Adjust([23:00]; 0; 0; 0; 2; 0; 0)", "[01:00]", "a time alone wraps"},
         {"@Adjust([2024-01-31 10:00]:[2024-02-01 10:00]; 0; 0; -1; -1; 0; 0)",
          "[2024-01-30 09:00]:[2024-01-31 09:00]", "each element of a list"},
         {"@IsError(@Adjust([2024-01-31]; 8000; 0; 0; 0; 0; 0))", "1", "beyond the year 9999"}});
}

// Z0 shows the time in this zone; Z1 and Z2 show it in the zone it was written in, with that
// zone's name when it is another zone (Z1) or always (Z2).
TEST_F(FormulaTime, TextShowsZonesAsAsked) {
  TIMEDATE newYork{};  // 2024-01-31 15:30 GMT, written in New York (5 hours west, with DST)
  newYork.Innards[0] = (15 * 3600 + 30 * 60) * 100;
  newYork.Innards[1] = 2460341 | 0x80000000 | 0x05000000;
  FContext.Set("Sent", formulatest::TimeItem(newYork));
  Check({{"@Text(Sent; \"Z0\")", "\"01/31/2024 16:30:00\"", "Z0: converted to this zone"},
         {"@Text(Sent)", "\"01/31/2024 16:30:00\"", "Z0 is the default"},
         {"@Text(Sent; \"Z1\")", "\"01/31/2024 10:30:00 EST\"", "Z1: another zone, named"},
         {"@Text(Sent; \"Z2T1\")", "\"01/31/2024 10:30 EST\"", "Z2 with T1"},
         {"@Text(@Created; \"Z1\")", "\"01/31/2024 10:30:00\"", "Z1: this zone, not named"},
         {"@Text(@Created; \"Z2\")", "\"01/31/2024 10:30:00 CET\"", "Z2: always named"},
         {"@Text([2024-07-01 10:30]; \"Z2\")", "\"07/01/2024 10:30:00 CEDT\"", "summer time"},
         {"@Text([2024-07-01]; \"Z2\")", "\"07/01/2024\"", "a date alone has no zone"}});
}

// Date-time and number text in the regional settings of a locale, built from what the C library
// says about that locale (the texts below are those of glibc's locale data), so the tests need no
// locale installed on the machine.

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
