// Compile errors: the status, its text, and where the offending text is in the bytes passed.
#include <gtest/gtest.h>

#include <string>

#include "RuntimeFixture.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osmem.h"

namespace {

struct TError {
  STATUS Status = NOERROR;
  STATUS Specific = 0;
  WORD Line = 0, Column = 0, Offset = 0, Length = 0;
  FORMULAHANDLE Handle = 1;
};

TError Compile(const std::string& Formula) {
  TError e;
  e.Status =
      NSFFormulaCompile(nullptr, 0, Formula.data(), static_cast<WORD>(Formula.size()), &e.Handle,
                        nullptr, &e.Specific, &e.Line, &e.Column, &e.Offset, &e.Length);
  if (e.Handle) OSMemFree(e.Handle);
  return e;
}

using FormulaCompile = runtimetest::RuntimeTest;

TEST_F(FormulaCompile, ErrorsGiveTheirStatusTextAndPosition) {
  struct TCase {
    const char* Formula;
    STATUS Specific;
    WORD Offset, Length;
    const char* Text;
  } cases[] = {
      {"@Foo(1)", ERR_FORMULA_UNKNOWN_FUNCTION, 0, 4, "Unknown @function"},
      {"x := 1 y := 2", ERR_FORMULA_MISSING_SEMICOLON, 7, 1, "Missing semicolon"},
      {"a := \"abc", ERR_FORMULA_UNTERMINATED_STRING, 5, 4, "Unterminated string"},
      {"x := {abc", ERR_FORMULA_UNTERMINATED_STRING, 5, 4, "Unterminated string"},
      {"1 + ", ERR_FORMULA_MISSING_OPERAND, 4, 0, "Missing operand"},
      {"@If(1; 2; 3", ERR_FORMULA_MISSING_PAREN, 11, 0, "Missing )"},
      {"(1 + 2", ERR_FORMULA_MISSING_PAREN, 6, 0, "Missing )"},
      {"x[1", ERR_FORMULA_MISSING_BRACKET, 3, 0, "Missing ] after a list subscript"},
      {"1 + # 2", ERR_FORMULA_INVALID_CHAR, 4, 1, "Invalid character"},
      {"[2024-13-45]", ERR_FORMULA_INVALID_TIME, 0, 12, "Invalid date or time"},
      {"x := [2024-01-01", ERR_FORMULA_UNTERMINATED_BRACKET, 5, 11,
       "Missing ] after a date, time or keyword"},
      {"1e+", ERR_FORMULA_INVALID_NUMBER, 0, 3, "Invalid number"},
      {"@Prompt([Ok]; \"a\"; \"b\")", ERR_FORMULA_UNSUPPORTED_FUNCTION, 0, 7, nullptr},
      {"@DbLookup(\"\"; \"\"; \"v\"; \"k\"; 1)", ERR_FORMULA_UNSUPPORTED_FUNCTION, 0, 9, nullptr},
      {"@Command([FileSave])", ERR_FORMULA_UNSUPPORTED_FUNCTION, 0, 8, nullptr},
      {"@Sqrt(4)", ERR_FORMULA_UNSUPPORTED_FUNCTION, 0, 5, nullptr},
      {"@Name([Address821]; x)", ERR_FORMULA_UNKNOWN_KEYWORD, 6, 12, nullptr},
      {"@For(i := 1; i < 2; i := i + 1)", ERR_FORMULA_ARGUMENT_COUNT, 0, 4, nullptr},
      {"@Left(x := \"a\"; 1)", ERR_FORMULA_UNEXPECTED, 8, 2, nullptr},
      {"ENVIRONMENT x := 1", ERR_FORMULA_UNSUPPORTED_FUNCTION, 0, 11, nullptr},
      {"@Left(\"a\")", ERR_FORMULA_ARGUMENT_COUNT, 0, 5, "Wrong number of arguments for @function"},
      {"@If(1; 2)", ERR_FORMULA_ARGUMENT_COUNT, 0, 3, nullptr},
      {"@Date(2024; 1)", ERR_FORMULA_ARGUMENT_COUNT, 0, 5, nullptr},
      {"@IsAvailable(\"Subject\")", ERR_FORMULA_NAME_EXPECTED, 13, 9, "Field name expected"},
      {"FIELD := 1", ERR_FORMULA_NAME_EXPECTED, 6, 2, nullptr},
      {"@Name([Foo]; x)", ERR_FORMULA_UNKNOWN_KEYWORD, 6, 5, "Unknown or misplaced keyword"},
      {"@Sort(x; 1)", ERR_FORMULA_UNKNOWN_KEYWORD, 9, 1, nullptr},
      {"[CN]", ERR_FORMULA_KEYWORD_PLACE, 0, 4, "Keyword not allowed here"},
      {"1 )", ERR_FORMULA_UNEXPECTED, 2, 1, "Unexpected symbol"},
      {"@AllChildren", ERR_FORMULA_VIEW_ONLY, 0, 12, nullptr},
      {"   ", ERR_FORMULA_EMPTY, 0, 0, "The formula is empty"},
      {"REM \"only a comment\"", ERR_FORMULA_EMPTY, 0, 0, nullptr},
  };
  for (const TCase& c : cases) {
    TError e = Compile(c.Formula);
    EXPECT_EQ(e.Status, ERR_FORMULA_COMPILATION) << c.Formula;
    EXPECT_EQ(e.Specific, c.Specific) << c.Formula;
    EXPECT_EQ(e.Offset, c.Offset) << c.Formula;
    EXPECT_EQ(e.Length, c.Length) << c.Formula;
    EXPECT_EQ(e.Handle, NULLHANDLE) << c.Formula;
    if (c.Text) {
      EXPECT_EQ(runtimetest::StatusText(c.Specific), c.Text) << c.Formula;
    }
  }
}

// Lines and characters are counted; offsets are in the bytes as passed: "ä" is 0x84 in LMBCS group
// 1 and two bytes in UTF-8.
TEST_F(FormulaCompile, PositionsCountLinesCharactersAndBytesAndSuccessClearsThem) {
  TError e = Compile("x := 1;\r\ny := 2;\n  @Nope");
  EXPECT_EQ(e.Specific, ERR_FORMULA_UNKNOWN_FUNCTION);
  EXPECT_EQ(e.Line, 3);
  EXPECT_EQ(e.Column, 3);
  EXPECT_EQ(e.Offset, 19);
  EXPECT_EQ(e.Length, 5);
  TError lmbcs = Compile("\"\x84\" + @Nope");
  EXPECT_EQ(lmbcs.Offset, 6);
  EXPECT_EQ(lmbcs.Column, 7);
  TError utf8 = Compile("\"\xC3\xA4\" + @Nope");
  EXPECT_EQ(utf8.Offset, 7);
  EXPECT_EQ(utf8.Column, 7);
  // A success clears what the failure before it left.
  e.Status = NSFFormulaCompile(nullptr, 0, "@All", 4, nullptr, nullptr, &e.Specific, &e.Line,
                               &e.Column, &e.Offset, &e.Length);
  EXPECT_EQ(e.Status, NOERROR);
  EXPECT_EQ(e.Specific, NOERROR);
  EXPECT_EQ(e.Offset + e.Length + e.Line + e.Column, 0);
}

TEST_F(FormulaCompile, DeepNestingFailsToCompileInsteadOfOverflowingTheStack) {
  EXPECT_EQ(Compile(std::string(5000, '(') + "1" + std::string(5000, ')')).Specific,
            ERR_FORMULA_TOO_DEEP);
  EXPECT_EQ(Compile(std::string(5000, '-') + "1").Specific, ERR_FORMULA_TOO_DEEP);
  std::string chain = "1";
  for (int i = 0; i < 10000; ++i) chain += "+1";
  TError e = Compile(chain);
  EXPECT_EQ(e.Status, NOERROR) << "long runs of one operator do not nest";
}

}  // namespace
