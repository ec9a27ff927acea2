// Every operator and @function against an expected value, itself written as a formula.
#include "FormulaFixture.h"

using formulatest::FormulaTest;

namespace {

using FormulaTable = FormulaTest;

TEST_F(FormulaTable, ArithmeticPairsListsAndRepeatsTheShorterListsLastElement) {
  Check({{"1 + 2", "3"},
         {"1:2 + 10", "11:12"},
         {"1:2:3 + 10:20", "11:22:23"},
         {"10:20 - 1", "9:19"},
         {"2:3 * 4", "8:12"},
         {"8:6 / 2:3", "4:2"},
         {"\"a\":\"b\" + \"x\"", "\"ax\":\"bx\""},
         {"1 + 2 * 3", "7"},
         {"(1 + 2) * 3", "9"},
         {"2 * 3:4", "6:8"},
         {"-(1:2)", "(-1):(-2)"},
         {"-1:2", "(-1):(-2)"},
         {"1:-2", "1:(0 - 2)"},
         {"+3", "3"},
         {"- -3", "3"},
         {"1.5e1 + .5", "15.5"}});
}

TEST_F(FormulaTable, PermutedOperatorsCombineEveryElementWithEveryElement) {
  Check({{"1:2 *+ 10:20", "11:21:12:22"},
         {"\"a\":\"b\" *+ \"1\":\"2\"", "\"a1\":\"a2\":\"b1\":\"b2\""},
         {"10 *- 1:2", "9:8"},
         {"2:3 ** 1:10", "2:20:3:30"},
         {"8 */ 2:4", "4:2"}});
}

TEST_F(FormulaTable, ComparisonsAreTrueWhenAnyPairHolds) {
  Check({{"1:2 = 2", "1"},    {"1:2 = 3", "0"},          {"1:2 = 2:1", "0"},
         {"1:2 *= 2:1", "1"}, {"1:2 != 1", "1"},         {"1 != 1", "0"},
         {"1 <> 2", "1"},     {"1 =! 1", "0"},           {"1 >< 2", "1"},
         {"1:5 < 3", "1"},    {"5:6 < 3", "0"},          {"3 > 2", "1"},
         {"2 >= 2", "1"},     {"1 <= 0", "0"},           {"1:2 *<> 1:2", "1"},
         {"1 *< 0:2", "1"},   {"5 *> 6:7", "0"},         {"1 *<= 1", "1"},
         {"1 *>= 2", "0"},    {"Tags = \"green\"", "1"}, {"Tags = \"GREEN\"", "0"}});
}

TEST_F(FormulaTable, TextEqualityRespectsCaseAndAccentsWhileOrderCollates) {
  Check({{"\"a\" = \"A\"", "0"},
         {"\"\xC3\xA9\" = \"e\"", "0"},
         {"\"\xC3\xA9\" = \"\xC3\xA9\"", "1"},
         {"\"a\" < \"B\"", "1"},
         {"\"B\" < \"a\"", "0"},
         {"\"\xC3\xA9\" < \"f\"", "1"},
         {"\"abc\" < \"abd\"", "1"}});
}

TEST_F(FormulaTable, LogicalOperatorsShareOneLevelLeftToRight) {
  Check({{"1 & 0", "0"},
         {"1 | 0", "1"},
         {"!1", "0"},
         {"!0:2", "1:0"},
         {"!(1 = 2)", "1"},
         {"!1 = 2", "1"},
         {"1 = 1 & 2 = 2", "1"},
         {"0 & 1 | 1", "1"},
         {"1 | 1 & 0", "0"}});
}

TEST_F(FormulaTable, ListsAndSubscripts) {
  Check({{"@Elements(1:2:3)", "3"},
         {"(10:20:30)[2]", "20"},
         {"x := \"a\":\"b\"; x[2]", "\"b\""},
         {"Tags[3]", "\"blue\""},
         {"Scores + 1", "2:3:4"}});
}

TEST_F(FormulaTable, LiteralsCommentsAndStatements) {
  Check({{"@Length(\"a\\\"b\\\\\")", "4"},
         {"{a\"b}", "\"a\\\"b\""},
         {"REM \"comment\"; 1", "1"},
         {"REM {a comment}; 2", "2"},
         {"x := 1; X + 1", "2"},
         {"Subject := \"v\"; subject", "\"v\""},
         {"a := Subject; Subject := \"z\"; a", "\"Hello\""},
         {"SELECT 1; 5", "1"},
         {"1;;2;", "2"},
         {"Missing", "\"\""},
         {"Missing = \"\"", "1"},
         {"select Amount > 40", "1"}});
}

TEST_F(FormulaTable, SelectionAndLogicFunctions) {
  Check({{"@All", "1"},
         {"@True", "1"},
         {"@Yes", "1"},
         {"@False", "0"},
         {"@No", "0"},
         {"@Success", "1"},
         {"@Failure(\"no\")", "\"no\""},
         {"@If(1; \"a\"; \"b\")", "\"a\""},
         {"@If(0; \"a\"; 1; \"b\"; \"c\")", "\"b\""},
         {"@If(0; \"a\"; 0; \"b\"; \"c\")", "\"c\""},
         {"@If(1; 1; 1/0)", "1"},
         {"@IsAvailable(Subject)", "1"},
         {"@IsAvailable(Nothing)", "0"},
         {"@IsUnavailable(Nothing)", "1"},
         {"@IsUnavailable(subject)", "0"},
         {"@Do(1; 2)", "2"},
         {"@Do(@SetField(\"A\"; 7); @GetField(\"A\") + 1)", "8"}});
}

TEST_F(FormulaTable, TypeFunctions) {
  Check({{"@IsText(\"a\")", "1"},
         {"@IsText(1)", "0"},
         {"@IsNumber(1:2)", "1"},
         {"@IsTime([2024-01-01])", "1"},
         {"@IsNull(\"\")", "1"},
         {"@IsNull(\"\":\"\")", "1"},
         {"@IsNull(\"a\")", "0"},
         {"@IsNull(Missing)", "1"},
         {"@IsError(@Error)", "1"},
         {"@IsError(1/0)", "1"},
         {"@IsError(1)", "0"},
         {"@If(@IsError(@Error + 1); \"caught\"; \"no\")", "\"caught\""}});
}

TEST_F(FormulaTable, DocumentFunctions) {
  Check({{"@Created", "[2024-01-31 10:30]"},
         {"@Modified", "[2024-01-31 10:30]"},
         {"@IsResponseDoc", "1"},
         {"@NoteID", "\"NT00000ABC\""},
         {"@DocumentUniqueID", "\"22222222111111114444444433333333\""},
         {"@Author", "\"CN=Jane Roe/O=Acme\""},
         {"@GetField(\"sub\" + \"ject\")", "\"Hello\""},
         {"@UserName", "\"CN=John Doe/OU=Sales/O=Acme\""},
         {"@DbName", "\"\":\"mail/jdoe.nsf\""},
         {"@DbTitle", "\"Mail of John\""}});
}

TEST_F(FormulaTable, NameFunctions) {
  Check({{"@Name([CN]; \"CN=John Doe/OU=Sales/O=Acme\")", "\"John Doe\""},
         {"@Name([CN]; \"John Doe/Sales/Acme\")", "\"John Doe\""},
         {"@Name([CN]; \"Jane\")", "\"Jane\""},
         {"@Name([Abbreviate]; \"CN=John Doe/O=Acme\":\"CN=A B/OU=X/O=Y\")",
          "\"John Doe/Acme\":\"A B/X/Y\""},
         {"@Name([Canonicalize]; \"John Doe/Sales/Acme\")", "\"CN=John Doe/OU=Sales/O=Acme\""}});
}

// A component keyword gives that part of the name, "" when the name has none.
TEST_F(FormulaTable, NameComponents) {
  Check(
      {{"@Name([C]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"US\"", "country"},
       {"@Name([O]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"Acme\"", "organization"},
       {"@Name([OU1]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"Sales\"",
        "OU1 is the unit next to the common name"},
       {"@Name([OU2]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"East\"", "second unit"},
       {"@Name([OU3]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"\"", "no third unit"},
       {"@Name([C]; \"Alan Jones/Sales/Acme/US\")", "\"US\"", "abbreviated name"},
       {"@Name([C]; \"CN=Alan Jones/O=Acme\":\"Jane\")", "\"\":\"\"", "no country, flat name"},
       {"@Name([G]; \"CN=Alan Jones/G=Alan/S=Jones/O=Acme\")", "\"Alan\"", "given name"},
       {"@Name([S]; \"CN=Alan Jones/G=Alan/S=Jones/O=Acme\")", "\"Jones\"", "surname"}});
}

TEST_F(FormulaTable, TextSearchAndCaseFunctions) {
  Check({{"@Contains(\"Hello\":\"World\"; \"orl\")", "1"},
         {"@Contains(\"Hello\"; \"hello\")", "0"},
         {"@Contains(Subject; \"x\":\"ell\")", "1"},
         {"@Begins(\"Hello\"; \"He\")", "1"},
         {"@Begins(\"Hello\"; \"he\")", "0"},
         {"@Ends(\"Hello\"; \"x\":\"lo\")", "1"},
         {"@Matches(\"abc\"; \"a?c\")", "1"},
         {"@Matches(\"abc\"; \"a*\")", "1"},
         {"@Matches(\"abc\"; \"A*\")", "0"},
         {"@Matches(\"abc\"; \"{a-c}bc\")", "1"},
         {"@Matches(\"xbc\"; \"{!a-c}bc\")", "1"},
         {"@Matches(\"aaab\"; \"+ab\")", "1"},
         {"@Matches(\"ab\"; \"a\")", "0"},
         {"@Like(\"abc\"; \"a%\")", "1"},
         {"@Like(\"abc\"; \"_b_\")", "1"},
         {"@Like(\"a%\"; \"a!%\"; \"!\")", "1"},
         {"@Like(\"ab\"; \"a!%\"; \"!\")", "0"},
         {"@Length(\"abc\":\"\")", "3:0"},
         {"@UpperCase(\"stra\xC3\x9F"
          "e\")",
          "\"STRASSE\""},
         {"@LowerCase(\"\xC3\x84"
          "B\")",
          "\"\xC3\xA4"
          "b\""},
         {"@ProperCase(\"hello wORLD\")", "\"Hello World\""}});
}

TEST_F(FormulaTable, SubstringFunctions) {
  Check({{"@Left(\"Hello\"; 2)", "\"He\""},
         {"@Left(\"Hello\"; \"l\")", "\"He\""},
         {"@Left(\"Hello\"; \"z\")", "\"\""},
         {"@Left(\"ab\":\"cd\"; 1)", "\"a\":\"c\""},
         {"@Right(\"Hello\"; 3)", "\"llo\""},
         {"@Right(\"Hello\"; \"l\")", "\"lo\""},
         {"@LeftBack(\"Hello\"; 1)", "\"Hell\""},
         {"@LeftBack(\"Hello\"; \"l\")", "\"Hel\""},
         {"@RightBack(\"Hello\"; 1)", "\"ello\""},
         {"@RightBack(\"Hello\"; \"l\")", "\"o\""},
         {"@Middle(\"Hello World\"; 6; 5)", "\"World\""},
         {"@Middle(\"abcdef\"; 3; -2)", "\"bc\""},
         {"@Middle(\"Hello World\"; \"Hello \"; 3)", "\"Wor\""},
         {"@Middle(\"a(b)c\"; \"(\"; \")\")", "\"b\""},
         {"@Middle(\"abcdef\"; 1; \"e\")", "\"bcd\""},
         {"@Middle(\"a(b)c\"; \"(\"; -1)", "\"a\""},
         {"@Word(\"a,b,c\"; \",\"; 2)", "\"b\""},
         {"@Word(\"a,b,c\"; \",\"; -1)", "\"c\""},
         {"@Word(\"a,b\"; \",\"; 5)", "\"\""}});
}

TEST_F(FormulaTable, TextListFunctions) {
  Check({{"@Replace(\"a\":\"b\":\"c\"; \"b\":\"c\"; \"x\")", "\"a\":\"x\":\"\""},
         {"@Explode(\"a b,c;d\")", "\"a\":\"b\":\"c\":\"d\""},
         {"@Explode(\"a--b\"; \"-\")", "\"a\":\"b\""},
         {"@Explode(\"a--b\"; \"-\"; 1)", "\"a\":\"\":\"b\""},
         {"@Explode(\"a\nb\"; \",\")", "\"a\":\"b\""},
         {"@Explode(\"a\nb\"; \",\"; 0; 0)", "\"a\nb\""},
         {"@Implode(\"a\":\"b\")", "\"a b\""},
         {"@Implode(Tags; \", \")", "\"red, green, blue\""}});
}

// Each pair in turn works on what the pairs before it left.
TEST_F(FormulaTable, ReplaceSubstring) {
  Check({{"@ReplaceSubstring(\"a-b-c\"; \"-\"; \"+\")", "\"a+b+c\"", "every occurrence"},
         {"@ReplaceSubstring(\"I like apples\"; \"like\":\"apples\"; \"hate\":\"peaches\")",
          "\"I hate peaches\"", "documented example"},
         {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"b\":\"x\")", "\"xxc\"",
          "the second pair replaces what the first wrote"},
         {"@ReplaceSubstring(\"cat\"; \"c\":\"at\"; \"b\":\"og\")", "\"bog\"",
          "a later pair matches across an earlier replacement"},
         {"@ReplaceSubstring(\"ab\":\"ba\"; \"a\":\"b\"; \"b\":\"c\")", "\"cc\":\"cc\"",
          "each element of a list"},
         {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"z\")", "\"zzc\"",
          "fewer to-texts: the last one"},
         {"@ReplaceSubstring(\"aaa\"; \"a\"; \"aa\")", "\"aaaaaa\"",
          "a replacement is not replaced again by its own pair"},
         {"@ReplaceSubstring(\"Abc\"; \"a\":\"\"; \"x\")", "\"Abc\"",
          "case-sensitive; an empty from-text replaces nothing"},
         {"@IsError(@ReplaceSubstring(@Repeat(\"a\"; 3000); \"a\"; @Repeat(\"b\"; 2000)))", "1",
          "a result too large is an error"}});
}

TEST_F(FormulaTable, Repeat) {
  Check({{"@Repeat(\"ab\"; 3)", "\"ababab\"", "times"},
         {"@Repeat(\"ab\"; 3; 5)", "\"ababa\"", "cut at the most characters"},
         {"@Repeat(\"ab\"; 2; 10)", "\"abab\"", "a limit above the length"},
         {"@Repeat(\"ab\"; 0)", "\"\"", "zero times"},
         {"@Repeat(\"ab\"; 2.9)", "\"abab\"", "whole times only"},
         {"@Repeat(\"x\":\"yz\"; 2)", "\"xx\":\"yzyz\"", "each element of a list"},
         {"@IsError(@Repeat(\"ab\"; 1e9))", "1", "a result too large is an error"},
         {"@IsError(@Repeat(1; 2))", "1", "text only"}});
}

// Like @Elements, except that a value that is no list, even "", counts as one.
TEST_F(FormulaTable, Count) {
  Check({{"@Count(1:2:3)", "3", "numbers"},
         {"@Count(Tags)", "3", "a text list item"},
         {"@Count(\"\")", "1", "empty text"},
         {"@Count(Missing)", "1", "a missing field"},
         {"@Count(\"\":\"\")", "2", "a list of empty texts"},
         {"@Count([2024-01-01]:[2024-01-02])", "2", "times"}});
}

TEST_F(FormulaTable, ListFunctions) {
  Check({{"@Elements(\"a\":\"b\")", "2"},
         {"@Elements(\"\")", "0"},
         {"@Elements(Missing)", "0"},
         {"@Subset(1:2:3; 2)", "1:2"},
         {"@Subset(1:2:3; -2)", "2:3"},
         {"@Subset(1:2; 5)", "1:2"},
         {"@IsMember(\"a\"; \"a\":\"b\")", "1"},
         {"@IsMember(\"a\":\"c\"; \"a\":\"b\")", "0"},
         {"@IsNotMember(\"c\"; \"a\":\"b\")", "1"},
         {"@IsNotMember(\"a\":\"c\"; \"a\":\"b\")", "0"},
         {"@Member(\"b\"; \"a\":\"b\")", "2"},
         {"@Member(\"z\"; \"a\")", "0"},
         {"@Sort(\"b\":\"a\":\"C\")", "\"a\":\"b\":\"C\""},
         {"@Sort(3:1:2; [Descending])", "3:2:1"},
         {"@Sort(3:1:2; [ASCENDING])", "1:2:3"},
         {"@Sort([2024-02-01]:[2024-01-01])", "[2024-01-01]:[2024-02-01]"},
         {"@Trim(\"  a   b  \":\"\":\"c \")", "\"a b\":\"c\""},
         {"@Unique(\"a\":\"b\":\"a\":\"A\")", "\"a\":\"b\":\"A\""},
         {"@Unique(1:1:2)", "1:2"}});
}

TEST_F(FormulaTable, NumberFunctions) {
  Check({{"@Sum(1:2; 3)", "6"},
         {"@Sum(Scores)", "6"},
         {"@Max(1:5:3)", "5"},
         {"@Max(1:5; 3:2)", "3:5"},
         {"@Min(1:5:3)", "1"},
         {"@Min(1:5; 3:2)", "1:2"},
         {"@Abs((-2):3)", "2:3"},
         {"@Round(2.5)", "3"},
         {"@Round(1234; 100)", "1200"},
         {"@Integer((-2.7):2.7)", "(-2):2"},
         {"@Modulo(7:-7; 3)", "1:-1"}});
}

// G, F, S, C, ",", "%", "()" and a count of decimals, in any order and case; the C locale's
// separators, with "$" for its currency.
TEST_F(FormulaTable, TextOfNumbersInTheDocumentedFormats) {
  Check({{"@Text(\"x\"; \"F2\")", "\"x\"", "text stays, ignoring the format"},
         {"@Text(1.5)", "\"1.5\"", "general without a format"},
         {"@Text(1:2)", "\"1\":\"2\"", "each element of a list"},
         {"@Text(1e20)", "\"1E+20\"", "general: exponent for very large values"},
         {"@Text(1234.567; \"F2\")", "\"1234.57\"", "fixed"},
         {"@Text(1234.567; \"F,2\")", "\"1,234.57\"", "fixed with thousands"},
         {"@Text(1234.5; \",f2\")", "\"1,234.50\"", "any order and case"},
         {"@Text(1234567; \"F,0\")", "\"1,234,567\"", "thousands, no decimals"},
         {"@Text(2.5; \"F0\")", "\"3\"", "halves round away from zero"},
         {"@Text(0.125; \"F2\")", "\"0.13\"", "halves round away from zero in decimals"},
         {"@Text(-0.001; \"F2\")", "\"0.00\"", "rounded to zero: no sign"},
         {"@Text(1; \"F12\")", "\"1.000000000000\"", "two-digit count"},
         {"@Text(1:2.5; \"F1\")", "\"1.0\":\"2.5\"", "fixed on a list"},
         {"@Text(1.23456; \"G2\")", "\"1.23\"", "general with a count"},
         {"@Text(1.5; \"G2\")", "\"1.5\"", "general drops trailing zeros"},
         {"@Text(1234.5; \"G,\")", "\"1,234.5\"", "general with thousands"},
         {"@Text(1234.5; \"S2\")", "\"1.23E+03\"", "scientific"},
         {"@Text(0.00012; \"S1\")", "\"1.2E-04\"", "scientific, small"},
         {"@Text(-1234.5; \"S,2\")", "\"-1.23E+03\"", "scientific has no thousands"},
         {"@Text(123.45; \"C,2\")", "\"$123.45\"", "documented example"},
         {"@Text(1234567.891; \"C,2\")", "\"$1,234,567.89\"", "currency with thousands"},
         {"@Text(5; \"C\")", "\"$5.00\"", "currency: the locale's decimals"},
         {"@Text(5; \"C0\")", "\"$5\"", "currency with a count"},
         {"@Text(-5; \"C\")", "\"-$5.00\"", "negative currency"},
         {"@Text(-1234.5; \"C,()\")", "\"($1,234.50)\"", "negative in parentheses"},
         {"@Text(-5; \"()\")", "\"(5)\"", "parentheses alone"},
         {"@Text(5; \"()\")", "\"5\"", "parentheses only for negatives"},
         {"@Text(0.256; \"%\")", "\"25.6%\"", "percent"},
         {"@Text(0.256; \"F0%\")", "\"26%\"", "percent, fixed"},
         {"@IsError(@Text(1; \"F16\"))", "1", "more decimals than a number has"},
         {"@IsError(@Text(1; \"Q\"))", "1", "a letter that is no format"}});
}

// D0-D3, T0-T1 and S0-S3 in the C locale's formats ("%m/%d/%y", "%H:%M:%S").
TEST_F(FormulaTable, TextOfDateTimesInTheDocumentedFormats) {
  Check({{"@Text([2024-01-31 10:30])", "\"01/31/2024 10:30:00\"", "no format: date and time"},
         {"@Text([2024-01-31 22:30:15])", "\"01/31/2024 22:30:15\"", "24-hour clock"},
         {"@Text([2024-01-31])", "\"01/31/2024\"", "a date alone"},
         {"@Text([10:30])", "\"10:30:00\"", "a time alone"},
         {"@Text([1999-12-31])", "\"12/31/99\"", "two-digit year where it reads back"},
         {"@Text([1949-12-31])", "\"12/31/1949\"", "four digits where two would not"},
         {"@Text([2024-01-31 10:30]; \"D0S0\")", "\"01/31/2024\"", "D0: year, month, day"},
         {"@Text([2024-01-31 10:30]; \"D1S0\")", "\"01/31/2024\"", "D1: year of another year"},
         {"@Text(@Today; \"D1S0\")", "@Text(@Today; \"D2S0\")", "D1: no year this year"},
         {"@Text([2024-01-31 10:30]; \"D2S0\")", "\"01/31\"", "D2: month and day"},
         {"@Text([2024-01-31 10:30]; \"d3s0\")", "\"01/2024\"", "D3: year and month"},
         {"@Text([2024-01-31 10:30]; \"T1S1\")", "\"10:30\"", "T1: hours and minutes"},
         {"@Text([2024-01-31 10:30]; \"T0S1\")", "\"10:30:00\"", "T0: with seconds"},
         {"@Text([2024-01-31 10:30]; \"D2T1\")", "\"01/31 10:30\"", "date and time parts"},
         {"@Text([2024-01-31 10:30]; \"S2\")", "\"01/31/2024 10:30:00\"", "S2: both"},
         {"@Text([2024-01-31 10:30]; \"S3\")", "\"01/31/2024 10:30:00\"", "S3: another day"},
         {"@Text(@Today; \"S3\")", "\"Today\"", "S3: today"},
         {"@Text(@Yesterday; \"S3\")", "\"Yesterday\"", "S3: yesterday"},
         {"@Text(@Date(@Year(@Today); @Month(@Today); @Day(@Today); 10; 30; 0); \"S3T1\")",
          "\"Today 10:30\"", "S3: today with its time"},
         {"@Text([2024-01-01 - 2024-01-31]; \"D2\")", "\"01/01 - 01/31\"", "a range"},
         {"@IsError(@Text([2024-01-31]; \"D4\"))", "1", "a digit the letter does not take"},
         {"@IsError(@Text([2024-01-31]; \"D\"))", "1", "a letter without its digit"}});
}

// The number the text begins with: the conversion stops at the first character that cannot be
// part of it. Text with no leading number is an error.
TEST_F(FormulaTable, TextToNumber) {
  Check({{"@TextToNumber(\"123\")", "123", "a number"},
         {"@TextToNumber(\" 12.5 \")", "12.5", "blanks around it"},
         {"@TextToNumber(\"1e3\":\"-2\")", "1000:-2", "exponent and sign, each element"},
         {"@TextToNumber(\"\")", "\"\"", "empty text stays empty"},
         {"@TextToNumber(42)", "42", "a number stays"},
         {"@TextToNumber(\"12abc\")", "12", "letters after the number"},
         {"@TextToNumber(\"4.5 inches\")", "4.5", "a unit after the number"},
         {"@TextToNumber(\"-3.25e2x\")", "-325", "exponent, then other characters"},
         {"@TextToNumber(\"1e\":\"+5\":\".5\")", "1:5:0.5", "exponent without digits; signs"},
         {"@TextToNumber(\"1,234\")", "1", "the thousands separator ends the number"},
         {"@TextToNumber(\"12\":\"7 days\")", "12:7", "a list"},
         {"@IsError(@TextToNumber(\"abc\"))", "1", "no leading number"},
         {"@IsError(@TextToNumber(\"$12\"))", "1", "a currency symbol first"},
         {"@IsError(@TextToNumber(\"-\"))", "1", "a sign alone"},
         {"@IsError(@TextToNumber(\"1\":\"x\"))", "1", "one element without a number"}});
}

// The whole text must be a number; a number stays as it is.
TEST_F(FormulaTable, ToNumber) {
  Check({{"@ToNumber(\" 12.5 \")", "12.5", "text"},
         {"@ToNumber(7:8)", "7:8", "numbers stay"},
         {"@ToNumber(\"1\":\"2\")", "1:2", "a list"},
         {"@IsError(@ToNumber(\"12abc\"))", "1", "text after the number"},
         {"@IsError(@ToNumber(\"\"))", "1", "empty text"},
         {"@IsError(@ToNumber([2024-01-31]))", "1", "a time"}});
}

TEST_F(FormulaTable, TextToTimeAndToTime) {
  Check({{"@TextToTime(\"2024-01-31 10:30\")", "[2024-01-31 10:30]", "ISO date and time"},
         {"@TextToTime(\"01/31/24\")", "[2024-01-31]", "two-digit year"},
         {"@TextToTime(\"01/31/2024 10:30 PM\")", "[2024-01-31 22:30]", "12-hour clock"},
         {"@TextToTime(@Text([2024-01-31 10:30:15]))", "[2024-01-31 10:30:15]",
          "reads what @Text writes"},
         {"@ToTime(\"01/31/2024\")", "[2024-01-31]", "@ToTime of text"},
         {"@ToTime([2024-01-31 10:30])", "[2024-01-31 10:30]", "a time stays"},
         {"@ToTime(\"2024-01-31\":\"10:30\")", "[2024-01-31]:[10:30]", "a list"},
         {"@IsError(@ToTime(\"soon\"))", "1", "no time"},
         {"@IsError(@ToTime(\"13/31/2024\"))", "1", "no such month"},
         {"@IsError(@ToTime(5))", "1", "a number"}});
}

// @For(initialize; condition; increment; statements): initialize once, then while the condition
// holds the statements and the increment; @True when it ends. At most 5000 rounds.
TEST_F(FormulaTable, For) {
  Check({{"total := 0; @For(n := 1; n <= 4; n := n + 1; total := total + n); total", "10", "sums"},
         {"@For(n := 1; n <= 3; n := n + 1; x := n)", "1", "gives @True"},
         {"a := 0; b := 0; @For(i := 1; i <= 3; i := i + 1; a := a + 1; b := b + 2); a:b", "3:6",
          "several statements"},
         {"s := \"\"; @For(i := 1; i <= @Elements(Tags); i := i + 1; s := s + Tags[i]); s",
          "\"redgreenblue\"", "documented pattern: each element by subscript"},
         {"x := 5; @For(i := 1; i > 1; i := i + 1; x := 0); x", "5",
          "a condition false at once runs nothing"},
         {"i := 9; @For(i := 1; i <= 2; i := i + 1; x := 0); i", "3",
          "the counter is the formula's variable"},
         {"last := 0; @For(i := 1; i <= 5000; i := i + 1; last := i); last", "5000",
          "5000 rounds are allowed"},
         {"@IsError(@For(i := 1; i <= 5001; i := i + 1; x := i))", "1", "5001 rounds are not"},
         {"@IsError(@For(i := 1; 1; i := i + 1; x := i))", "1", "an endless loop stops"},
         {"@IsError(@For(i := 1; \"yes\"; i := i + 1; x := i))", "1", "a condition not a number"},
         {"@IsError(@For(i := 1; i < 3; i := i + 1; x := 1 / 0))", "1",
          "an error in a statement ends it"}});
}

TEST_F(FormulaTable, WhileDoWhileAndStatementArguments) {
  Check({{"n := 0; @While(n < 3; n := n + 1); n", "3", "@While tests first"},
         {"n := 5; @While(n < 3; n := n + 1); n", "5", "@While may run nothing"},
         {"n := 5; @DoWhile(n := n + 1; n < 3); n", "6", "@DoWhile runs once at least"},
         {"n := 0; @DoWhile(n := n + 1; n < 3)", "1", "@DoWhile gives @True"},
         {"@IsError(@While(1; x := 1))", "1", "endless @While stops"},
         {"@Do(a := 2; b := a * 3; a + b)", "8", "@Do: assignments in order, the last value"},
         {"@If(Amount > 40; r := \"big\"; r := \"small\"); r", "\"big\"", "@If runs one branch"}});
}

}  // namespace
