// Every operator and @function against an expected value, itself written as a formula.
#include "FormulaFixture.h"

using formulatest::Describe;
using formulatest::FormulaTest;

namespace {

struct TCase {
  const char* Formula;
  const char* Expected;
};

class FormulaTable : public FormulaTest {
 protected:
  void Check(std::initializer_list<TCase> Cases) {
    for (const TCase& c : Cases) {
      notesrt::TValue actual = Value(c.Formula);
      notesrt::TValue expected = Value(c.Expected);
      EXPECT_EQ(actual, expected) << c.Formula << "\n  gives    " << Describe(actual)
                                  << "\n  expected " << Describe(expected);
    }
  }
};

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
  Check({{"@ReplaceSubstring(\"a-b-c\"; \"-\"; \"+\")", "\"a+b+c\""},
         {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"b\":\"x\")", "\"bxc\""},
         {"@ReplaceSubstring(\"abc\"; \"a\":\"b\"; \"z\")", "\"zzc\""},
         {"@Replace(\"a\":\"b\":\"c\"; \"b\":\"c\"; \"x\")", "\"a\":\"x\":\"\""},
         {"@Explode(\"a b,c;d\")", "\"a\":\"b\":\"c\":\"d\""},
         {"@Explode(\"a--b\"; \"-\")", "\"a\":\"b\""},
         {"@Explode(\"a--b\"; \"-\"; 1)", "\"a\":\"\":\"b\""},
         {"@Explode(\"a\nb\"; \",\")", "\"a\":\"b\""},
         {"@Explode(\"a\nb\"; \",\"; 0; 0)", "\"a\nb\""},
         {"@Implode(\"a\":\"b\")", "\"a b\""},
         {"@Implode(Tags; \", \")", "\"red, green, blue\""}});
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

TEST_F(FormulaTable, ConversionFunctions) {
  Check({{"@Text(1.5)", "\"1.5\""},
         {"@Text(1:2)", "\"1\":\"2\""},
         {"@Text(1234.5; \"F2,\")", "\"1,234.50\""},
         {"@Text(0.25; \"%\")", "\"25%\""},
         {"@Text(-5; \"()\")", "\"(5)\""},
         {"@Text(1e20)", "\"1E+20\""},
         {"@Text(\"x\")", "\"x\""},
         {"@Text([2024-01-31 10:30])", "\"2024-01-31 10:30:00\""},
         {"@Text([2024-01-31 10:30]; \"S0\")", "\"2024-01-31\""},
         {"@Text([2024-01-31 10:30]; \"T1S1\")", "\"10:30\""},
         {"@Text([2024-01-31])", "\"2024-01-31\""},
         {"@TextToNumber(\" 12.5 \")", "12.5"},
         {"@TextToNumber(\"1e3\":\"-2\")", "1000:-2"},
         {"@TextToNumber(\"\")", "\"\""},
         {"@TextToTime(\"2024-01-31 10:30\")", "[2024-01-31 10:30]"},
         {"@TextToTime(\"01/31/24\")", "[2024-01-31]"}});
}

}  // namespace
