// Every operator and @function against an expected value, itself written as a formula.
#include "FormulaFixture.h"

using formulatest::FormulaTest;

namespace {

using FormulaTable = FormulaTest;

TEST_F(FormulaTable, EveryOperatorAndFunctionGivesItsDocumentedValue) {
  Check({
      // Arithmetic pairs lists, repeating the shorter list's last element.
      {"(1 + 2) : (1:2 + 10) : (1:2:3 + 10:20)", "3:11:12:11:22:23"},
      {"(10:20 - 1) : (2:3 * 4) : (8:6 / 2:3)", "9:19:8:12:4:2"},
      {"\"a\":\"b\" + \"x\"", "\"ax\":\"bx\""},
      {"(1 + 2 * 3) : ((1 + 2) * 3) : (2 * 3:4)", "7:9:6:8"},
      {"-(1:2)", "(-1):(-2)"},
      {"-1:2", "(-1):(-2)"},
      {"1:-2", "1:(0 - 2)"},
      {"(+3) : (- -3) : (1.5e1 + .5)", "3:3:15.5"},
      // Permuted operators combine every element with every element.
      {"1:2 *+ 10:20", "11:21:12:22"},
      {"\"a\":\"b\" *+ \"1\":\"2\"", "\"a1\":\"a2\":\"b1\":\"b2\""},
      {"(10 *- 1:2) : (2:3 ** 1:10) : (8 */ 2:4)", "9:8:2:20:3:30:4:2"},
      // Comparisons are true when any pair holds.
      {"(1:2 = 2) : (1:2 = 3) : (1:2 = 2:1) : (1:2 *= 2:1) : (1:2 != 1) : (1 != 1)", "1:0:0:1:1:0"},
      {"(1 <> 2) : (1 =! 1) : (1 >< 2) : (1:5 < 3) : (5:6 < 3) : (3 > 2) : (2 >= 2) : (1 <= 0)",
       "1:0:1:1:0:1:1:0"},
      {"(1:2 *<> 1:2) : (1 *< 0:2) : (5 *> 6:7) : (1 *<= 1) : (1 *>= 2)", "1:1:0:1:0"},
      {"(Tags = \"green\") : (Tags = \"GREEN\")", "1:0"},
      // Text equality respects case and accents, while order collates.
      {"(\"a\" = \"A\") : (\"\xC3\xA9\" = \"e\") : (\"\xC3\xA9\" = \"\xC3\xA9\")", "0:0:1"},
      {"(\"a\" < \"B\") : (\"B\" < \"a\") : (\"\xC3\xA9\" < \"f\") : (\"abc\" < \"abd\")",
       "1:0:1:1"},
      // Logical operators share one level, left to right.
      {"(1 & 0) : (1 | 0) : (!1) : (!0:2) : (!(1 = 2)) : (!1 = 2)", "0:1:0:1:0:1:1"},
      {"(1 = 1 & 2 = 2) : (0 & 1 | 1) : (1 | 1 & 0)", "1:1:0"},
      // Lists and subscripts.
      {"@Elements(1:2:3) : (10:20:30)[2]", "3:20"},
      {"x := \"a\":\"b\"; x[2]", "\"b\""},
      {"Tags[3]", "\"blue\""},
      {"Scores + 1", "2:3:4"},
      // Literals, comments and statements.
      {"@Length(\"a\\\"b\\\\\")", "4"},
      {"{a\"b}", "\"a\\\"b\""},
      {"REM \"comment\"; REM {a comment}; x := 1; X + 1", "2"},
      {"Subject := \"v\"; subject", "\"v\""},
      {"a := Subject; Subject := \"z\"; a", "\"Hello\""},
      {"SELECT 1; 5", "1"},
      {"1;;2;", "2"},
      {"Missing", "\"\""},
      {"select Amount > 40", "1"},
      // Selection and logic functions.
      {"@All : @True : @Yes : @Success : @False : @No", "1:1:1:1:0:0"},
      {"@Failure(\"no\")", "\"no\""},
      {"@If(1; \"a\"; \"b\") : @If(0; \"a\"; 1; \"b\"; \"c\") : @If(0; \"a\"; 0; \"b\"; \"c\")",
       "\"a\":\"b\":\"c\""},
      {"@If(1; 1; 1/0)", "1"},
      {"@IsAvailable(Subject) : @IsAvailable(Nothing)", "1:0"},
      {"@IsUnavailable(Nothing) : @IsUnavailable(subject)", "1:0"},
      {"@Do(1; 2) : @Do(@SetField(\"A\"; 7); @GetField(\"A\") + 1)", "2:8"},
      // Type functions.
      {"@IsText(\"a\") : @IsText(1) : @IsNumber(1:2) : @IsTime([2024-01-01])", "1:0:1:1"},
      {"@IsNull(\"\") : @IsNull(\"\":\"\") : @IsNull(\"a\") : @IsNull(Missing)", "1:1:0:1"},
      {"@IsError(@Error) : @IsError(1/0) : @IsError(1)", "1:1:0"},
      {"@If(@IsError(@Error + 1); \"caught\"; \"no\")", "\"caught\""},
      // Document functions.
      {"@Created : @Modified", "[2024-01-31 10:30]:[2024-01-31 10:30]"},
      {"@IsResponseDoc", "1"},
      {"@NoteID", "\"NT00000ABC\""},
      {"@DocumentUniqueID", "\"22222222111111114444444433333333\""},
      {"@Author", "\"CN=Jane Roe/O=Acme\""},
      {"@GetField(\"sub\" + \"ject\")", "\"Hello\""},
      {"@UserName", "\"CN=John Doe/OU=Sales/O=Acme\""},
      {"@DbName", "\"\":\"mail/jdoe.nsf\""},
      {"@DbTitle", "\"Mail of John\""},
      // Name functions.
      {"@Name([CN]; \"CN=John Doe/OU=Sales/O=Acme\")", "\"John Doe\""},
      {"@Name([CN]; \"John Doe/Sales/Acme\") : @Name([CN]; \"Jane\")", "\"John Doe\":\"Jane\""},
      {"@Name([Abbreviate]; \"CN=John Doe/O=Acme\":\"CN=A B/OU=X/O=Y\")",
       "\"John Doe/Acme\":\"A B/X/Y\""},
      {"@Name([Canonicalize]; \"John Doe/Sales/Acme\")", "\"CN=John Doe/OU=Sales/O=Acme\""},
      // A component keyword gives that part of the name, "" when the name has none.
      {"@Name([C]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"US\"", "country"},
      {"@Name([O]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"Acme\"", "organization"},
      {"@Name([OU1]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"Sales\"",
       "OU1 is the unit next to the common name"},
      {"@Name([OU2]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"East\"", "second unit"},
      {"@Name([OU3]; \"CN=Alan Jones/OU=Sales/OU=East/O=Acme/C=US\")", "\"\"", "no third unit"},
      {"@Name([C]; \"Alan Jones/Sales/Acme/US\")", "\"US\"", "abbreviated name"},
      {"@Name([C]; \"CN=Alan Jones/O=Acme\":\"Jane\")", "\"\":\"\"", "no country, flat name"},
      {"@Name([G]; \"CN=Alan Jones/G=Alan/S=Jones/O=Acme\")", "\"Alan\"", "given name"},
      {"@Name([S]; \"CN=Alan Jones/G=Alan/S=Jones/O=Acme\")", "\"Jones\"", "surname"},
      // Text search and case functions.
      {"@Contains(\"Hello\":\"World\"; \"orl\") : @Contains(\"Hello\"; \"hello\") : "
       "@Contains(Subject; \"x\":\"ell\")",
       "1:0:1"},
      {"@Begins(\"Hello\"; \"He\") : @Begins(\"Hello\"; \"he\") : @Ends(\"Hello\"; \"x\":\"lo\")",
       "1:0:1"},
      {"@Matches(\"abc\"; \"a?c\") : @Matches(\"abc\"; \"a*\") : @Matches(\"abc\"; \"A*\") : "
       "@Matches(\"abc\"; \"{a-c}bc\") : @Matches(\"xbc\"; \"{!a-c}bc\") : @Matches(\"aaab\"; "
       "\"+ab\") : "
       "@Matches(\"ab\"; \"a\")",
       "1:1:0:1:1:1:0"},
      {"@Like(\"abc\"; \"a%\") : @Like(\"abc\"; \"_b_\") : @Like(\"a%\"; \"a!%\"; \"!\") : "
       "@Like(\"ab\"; \"a!%\"; \"!\")",
       "1:1:1:0"},
      {"@Length(\"abc\":\"\")", "3:0"},
      {"@UpperCase(\"stra\u00DFe\") : @LowerCase(\"\u00C4B\")", "\"STRASSE\":\"\u00E4b\""},
      {"@ProperCase(\"hello wORLD\")", "\"Hello World\""},
      // Substring functions.
      {"@Left(\"Hello\"; 2) : @Left(\"Hello\"; \"l\") : @Left(\"Hello\"; \"z\") : "
       "@Left(\"ab\":\"cd\"; 1)",
       "\"He\":\"He\":\"\":\"a\":\"c\""},
      {"@Right(\"Hello\"; 3) : @Right(\"Hello\"; \"l\") : @LeftBack(\"Hello\"; 1) : "
       "@LeftBack(\"Hello\"; \"l\") : @RightBack(\"Hello\"; 1) : @RightBack(\"Hello\"; \"l\")",
       "\"llo\":\"lo\":\"Hell\":\"Hel\":\"ello\":\"o\""},
      {"@Middle(\"Hello World\"; 6; 5) : @Middle(\"abcdef\"; 3; -2) : @Middle(\"Hello World\"; "
       "\"Hello \"; 3)",
       "\"World\":\"bc\":\"Wor\""},
      {"@Middle(\"a(b)c\"; \"(\"; \")\") : @Middle(\"abcdef\"; 1; \"e\") : @Middle(\"a(b)c\"; "
       "\"(\"; -1)",
       "\"b\":\"bcd\":\"a\""},
      {"@Word(\"a,b,c\"; \",\"; 2) : @Word(\"a,b,c\"; \",\"; -1) : @Word(\"a,b\"; \",\"; 5)",
       "\"b\":\"c\":\"\""},
      // Text list functions.
      {"@Replace(\"a\":\"b\":\"c\"; \"b\":\"c\"; \"x\")", "\"a\":\"x\":\"\""},
      {"@Explode(\"a b,c;d\")", "\"a\":\"b\":\"c\":\"d\""},
      {"@Explode(\"a--b\"; \"-\")", "\"a\":\"b\""},
      {"@Explode(\"a--b\"; \"-\"; 1)", "\"a\":\"\":\"b\""},
      {"@Explode(\"a\nb\"; \",\")", "\"a\":\"b\""},
      {"@Explode(\"a\nb\"; \",\"; 0; 0)", "\"a\nb\""},
      {"@Implode(\"a\":\"b\") : @Implode(Tags; \", \")", "\"a b\":\"red, green, blue\""},
      // @ReplaceSubstring: each pair in turn works on what the pairs before it left.
      {"@ReplaceSubstring(\"a-b-c\"; \"-\"; \"+\")", "\"a+b+c\"", "every occurrence"},
      {"@ReplaceSubstring(\"I like apples\"; \"like\":\"apples\"; \"hate\":\"peaches\")",
       "\"I hate peaches\"", "documented example"},
      {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"b\":\"x\")", "\"xxc\"",
       "the second pair replaces what the first wrote"},
      {"@ReplaceSubstring(\"cat\"; \"c\":\"at\"; \"b\":\"og\")", "\"bog\"",
       "a later pair matches across an earlier replacement"},
      {"@ReplaceSubstring(\"ab\":\"ba\"; \"a\":\"b\"; \"b\":\"c\")", "\"cc\":\"cc\"",
       "each element of a list"},
      {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"z\")", "\"zzc\"", "fewer to-texts: the last one"},
      {"@ReplaceSubstring(\"aaa\"; \"a\"; \"aa\")", "\"aaaaaa\"",
       "a replacement is not replaced again by its own pair"},
      {"@ReplaceSubstring(\"Abc\"; \"a\":\"\"; \"x\")", "\"Abc\"",
       "case-sensitive; an empty from-text replaces nothing"},
      {"@IsError(@ReplaceSubstring(@Repeat(\"a\"; 3000); \"a\"; @Repeat(\"b\"; 2000)))", "1",
       "a result too large is an error"},
      // @Repeat: whole times, cut at the most characters; text only, and not too large.
      {"@Repeat(\"ab\"; 3) : @Repeat(\"ab\"; 3; 5) : @Repeat(\"ab\"; 2; 10) : @Repeat(\"ab\"; 0) : "
       "@Repeat(\"ab\"; 2.9) : @Repeat(\"x\":\"yz\"; 2)",
       "\"ababab\":\"ababa\":\"abab\":\"\":\"abab\":\"xx\":\"yzyz\""},
      {"@IsError(@Repeat(\"ab\"; 1e9)) : @IsError(@Repeat(1; 2))", "1:1"},
      // @Count is like @Elements, except that a value that is no list, even "", counts as one.
      {"@Count(1:2:3) : @Count(Tags) : @Count(\"\") : @Count(Missing) : @Count(\"\":\"\") : "
       "@Count([2024-01-01]:[2024-01-02])",
       "3:3:1:1:2:2"},
      // List functions.
      {"@Elements(\"a\":\"b\") : @Elements(\"\") : @Elements(Missing)", "2:0:0"},
      {"@Subset(1:2:3; 2) : @Subset(1:2:3; -2) : @Subset(1:2; 5)", "1:2:2:3:1:2"},
      {"@IsMember(\"a\"; \"a\":\"b\") : @IsMember(\"a\":\"c\"; \"a\":\"b\") : "
       "@IsNotMember(\"c\"; \"a\":\"b\") : @IsNotMember(\"a\":\"c\"; \"a\":\"b\") : "
       "@Member(\"b\"; \"a\":\"b\") : @Member(\"z\"; \"a\")",
       "1:0:1:0:2:0"},
      {"@Sort(\"b\":\"a\":\"C\")", "\"a\":\"b\":\"C\""},
      {"@Sort(3:1:2; [Descending]) : @Sort(3:1:2; [ASCENDING]) : @Unique(1:1:2)",
       "3:2:1:1:2:3:1:2"},
      {"@Sort([2024-02-01]:[2024-01-01])", "[2024-01-01]:[2024-02-01]"},
      {"@Trim(\"  a   b  \":\"\":\"c \")", "\"a b\":\"c\""},
      {"@Unique(\"a\":\"b\":\"a\":\"A\")", "\"a\":\"b\":\"A\""},
      // Number functions.
      {"@Sum(1:2; 3) : @Sum(Scores) : @Max(1:5:3) : @Max(1:5; 3:2) : @Min(1:5:3) : @Min(1:5; 3:2)",
       "6:6:5:3:5:1:1:2"},
      {"@Abs((-2):3) : @Round(2.5) : @Round(1234; 100) : @Integer((-2.7):2.7) : @Modulo(7:-7; 3)",
       "2:3:3:1200:(-2):2:1:-1"},
      // @Text of numbers: G, F, S, C, ",", "%", "()" and a count of
      // decimals, in any order and case; the C locale's separators, with "$" for its currency.
      {"@Text(\"x\"; \"F2\")", "\"x\"", "text stays, ignoring the format"},
      {"@Text(1.5) : @Text(1:2) : @Text(1e20)", "\"1.5\":\"1\":\"2\":\"1E+20\"",
       "general: each element, an exponent for very large values"},
      {"@Text(1234.567; \"F2\") : @Text(1234.567; \"F,2\") : @Text(1234.5; \",f2\") : "
       "@Text(1234567; \"F,0\")",
       "\"1234.57\":\"1,234.57\":\"1,234.50\":\"1,234,567\"",
       "fixed, with thousands, in any order and case"},
      {"@Text(2.5; \"F0\") : @Text(0.125; \"F2\") : @Text(-0.001; \"F2\") : @Text(1; \"F12\") : "
       "@Text(1:2.5; \"F1\")",
       "\"3\":\"0.13\":\"0.00\":\"1.000000000000\":\"1.0\":\"2.5\"",
       "halves round away from zero, no sign on zero, a two-digit count, a list"},
      {"@Text(1.23456; \"G2\") : @Text(1.5; \"G2\") : @Text(1234.5; \"G,\")",
       "\"1.23\":\"1.5\":\"1,234.5\"",
       "general with a count, without trailing zeros, with thousands"},
      {"@Text(1234.5; \"S2\") : @Text(0.00012; \"S1\") : @Text(-1234.5; \"S,2\")",
       "\"1.23E+03\":\"1.2E-04\":\"-1.23E+03\"", "scientific, small, and never with thousands"},
      {"@Text(123.45; \"C,2\") : @Text(1234567.891; \"C,2\") : @Text(5; \"C\") : @Text(5; \"C0\") "
       ": @Text(-5; \"C\")",
       "\"$123.45\":\"$1,234,567.89\":\"$5.00\":\"$5\":\"-$5.00\"",
       "currency: thousands, the locale's decimals or a count, negative"},
      {"@Text(-1234.5; \"C,()\") : @Text(-5; \"()\") : @Text(5; \"()\") : @Text(0.256; \"%\") : "
       "@Text(0.256; \"F0%\")",
       "\"($1,234.50)\":\"(5)\":\"5\":\"25.6%\":\"26%\"",
       "parentheses for negatives only; percent"},
      {"@IsError(@Text(1; \"F16\")) : @IsError(@Text(1; \"Q\"))", "1:1",
       "more decimals than a number has; a letter that is no format"},
      // @Text of date-times: D0-D3, T0-T1 and S0-S3 in the C locale's
      // formats ("%m/%d/%y", "%H:%M:%S").
      {"@Text([2024-01-31 10:30]) : @Text([2024-01-31 22:30:15]) : @Text([2024-01-31]) : "
       "@Text([10:30])",
       "\"01/31/2024 10:30:00\":\"01/31/2024 22:30:15\":\"01/31/2024\":\"10:30:00\"",
       "no format: date and time, 24-hour clock, a date or a time alone"},
      {"@Text([1999-12-31]) : @Text([1949-12-31])", "\"12/31/99\":\"12/31/1949\"",
       "two-digit year only where it reads back"},
      {"@Text([2024-01-31 10:30]; \"D0S0\") : @Text([2024-01-31 10:30]; \"D1S0\") : "
       "@Text([2024-01-31 10:30]; \"D2S0\") : @Text([2024-01-31 10:30]; \"d3s0\")",
       "\"01/31/2024\":\"01/31/2024\":\"01/31\":\"01/2024\"", "D0-D3 (D1 of another year)"},
      {"@Text(@Today; \"D1S0\")", "@Text(@Today; \"D2S0\")", "D1: no year this year"},
      {"@Text([2024-01-31 10:30]; \"T1S1\") : @Text([2024-01-31 10:30]; \"T0S1\") : "
       "@Text([2024-01-31 10:30]; \"D2T1\") : @Text([2024-01-31 10:30]; \"S2\") : "
       "@Text([2024-01-31 10:30]; \"S3\")",
       "\"10:30\":\"10:30:00\":\"01/31 10:30\":\"01/31/2024 10:30:00\":\"01/31/2024 10:30:00\"",
       "T1, T0, date and time parts, S2, S3 of another day"},
      {"@Text(@Today; \"S3\") : @Text(@Yesterday; \"S3\")", "\"Today\":\"Yesterday\"",
       "S3: today, yesterday"},
      {"@Text(@Date(@Year(@Today); @Month(@Today); @Day(@Today); 10; 30; 0); \"S3T1\")",
       "\"Today 10:30\"", "S3: today with its time"},
      {"@Text([2024-01-01 - 2024-01-31]; \"D2\")", "\"01/01 - 01/31\"", "a range"},
      {"@IsError(@Text([2024-01-31]; \"D4\")) : @IsError(@Text([2024-01-31]; \"D\"))", "1:1",
       "a digit the letter does not take; a letter without its digit"},
      // @TextToNumber: the number the text begins with, up to the first character that cannot be
      // part of it; text with no leading number is an error.
      {"@TextToNumber(\"123\") : @TextToNumber(\" 12.5 \") : @TextToNumber(\"1e3\":\"-2\") : "
       "@TextToNumber(42)",
       "123:12.5:1000:-2:42",
       "a number, blanks around it, exponent and sign in each element; a number stays"},
      {"@TextToNumber(\"\")", "\"\"", "empty text stays empty"},
      {"@TextToNumber(\"12abc\") : @TextToNumber(\"4.5 inches\") : @TextToNumber(\"-3.25e2x\") : "
       "@TextToNumber(\"1e\":\"+5\":\".5\") : @TextToNumber(\"1,234\") : @TextToNumber(\"12\":\"7 "
       "days\")",
       "12:4.5:-325:1:5:0.5:1:12:7", "up to the first character that is no part of the number"},
      {"@IsError(@TextToNumber(\"abc\")) : @IsError(@TextToNumber(\"$12\")) : "
       "@IsError(@TextToNumber(\"-\")) : @IsError(@TextToNumber(\"1\":\"x\"))",
       "1:1:1:1", "no leading number, a currency symbol or a sign alone, in any element"},
      // @ToNumber: the whole text must be a number; a number stays as it is.
      {"@ToNumber(\" 12.5 \") : @ToNumber(7:8) : @ToNumber(\"1\":\"2\")", "12.5:7:8:1:2",
       "text, numbers stay, a list"},
      {"@IsError(@ToNumber(\"12abc\")) : @IsError(@ToNumber(\"\")) : "
       "@IsError(@ToNumber([2024-01-31]))",
       "1:1:1", "text after the number, empty text, a time"},
      // @TextToTime and @ToTime.
      {"@TextToTime(\"2024-01-31 10:30\") : @TextToTime(\"01/31/24\") : @TextToTime(\"01/31/2024 "
       "10:30 PM\")",
       "[2024-01-31 10:30]:[2024-01-31]:[2024-01-31 22:30]", "ISO, two-digit year, 12-hour clock"},
      {"@TextToTime(@Text([2024-01-31 10:30:15]))", "[2024-01-31 10:30:15]",
       "reads what @Text writes"},
      {"@ToTime(\"01/31/2024\") : @ToTime([2024-01-31 10:30]) : @ToTime(\"2024-01-31\":\"10:30\")",
       "[2024-01-31]:[2024-01-31 10:30]:[2024-01-31]:[10:30]", "text, a time stays, a list"},
      {"@IsError(@ToTime(\"soon\")) : @IsError(@ToTime(\"13/31/2024\")) : @IsError(@ToTime(5))",
       "1:1:1", "no time, no such month, a number"},
      // @For(initialize; condition; increment; statements): initialize once, then while the
      // condition holds the statements and the increment; @True when it ends. At most 5000 rounds.
      {"total := 0; @For(n := 1; n <= 4; n := n + 1; total := total + n); total", "10", "sums"},
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
      {"@IsError(@For(i := 1; i <= 5001; i := i + 1; x := i)) : @IsError(@For(i := 1; 1; i := i + "
       "1; "
       "x := i)) : @IsError(@For(i := 1; \"yes\"; i := i + 1; x := i))",
       "1:1:1", "5001 rounds are not allowed, an endless loop stops, a condition not a number"},
      {"@IsError(@For(i := 1; i < 3; i := i + 1; x := 1 / 0))", "1",
       "an error in a statement ends it"},
      // @While, @DoWhile and statements as arguments.
      {"n := 0; @While(n < 3; n := n + 1); n", "3", "@While tests first"},
      {"n := 5; @While(n < 3; n := n + 1); n", "5", "@While may run nothing"},
      {"n := 5; @DoWhile(n := n + 1; n < 3); n", "6", "@DoWhile runs once at least"},
      {"n := 0; @DoWhile(n := n + 1; n < 3)", "1", "@DoWhile gives @True"},
      {"@IsError(@While(1; x := 1))", "1", "endless @While stops"},
      {"@Do(a := 2; b := a * 3; a + b)", "8", "@Do: assignments in order, the last value"},
      {"@If(Amount > 40; r := \"big\"; r := \"small\"); r", "\"big\"", "@If runs one branch"},
  });
}

}  // namespace
