// The formula functions of the C API: compile, lock, start, evaluate, read the result, free;
// compile errors with their texts and positions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StorageFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osmem.h"

namespace {

class FormulaApi : public runtimetest::NewNoteTest {
 protected:
  // NSFFormulaCompile without a name and without error details; Length 0 reads up to the NUL.
  static STATUS Compile(const char* Formula, WORD Length, FORMULAHANDLE* Compiled = nullptr,
                        WORD* CompiledLength = nullptr) {
    return NSFFormulaCompile(nullptr, 0, Formula, Length, Compiled, CompiledLength, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
  }

  // Compiles (asserting success), starts a compute, frees the compiled formula and returns the
  // compute, as the object library does.
  HCOMPUTE Start(const std::string& Formula) {
    FORMULAHANDLE formula = NULLHANDLE;
    EXPECT_EQ(Compile(Formula.data(), static_cast<WORD>(Formula.size()), &formula), NOERROR);
    HCOMPUTE compute = nullptr;
    EXPECT_EQ(NSFComputeStart(0, OSLockObject(formula), &compute), NOERROR);
    OSUnlockObject(formula);
    OSMemFree(formula);
    return compute;
  }

  // The result buffer of an evaluation, type word first; without a note unless one is given.
  std::string Result(const std::string& Formula, STATUS Expected = NOERROR,
                     NOTEHANDLE Note = NULLHANDLE) {
    HCOMPUTE compute = Start(Formula);
    DHANDLE result = NULLHANDLE;
    WORD length = 0;
    EXPECT_EQ(NSFComputeEvaluate(compute, Note, &result, &length, nullptr, nullptr, nullptr),
              Expected)
        << Formula;
    std::string bytes;
    if (result) {
      bytes.assign(static_cast<char*>(OSLockObject(result)), length);
      OSUnlockObject(result);
      OSMemFree(result);
    }
    EXPECT_EQ(NSFComputeStop(compute), NOERROR);
    return bytes;
  }
};

using runtimetest::Bytes;
using runtimetest::Raw;

TEST_F(FormulaApi, ResultsComeInItemLayoutsWithTheTypeWordFirst) {
  EXPECT_EQ(Result("\"ab\""), Bytes({0x00, 0x05, 'a', 'b'}));
  EXPECT_EQ(Result("\"a\":\"bc\""), Bytes({0x01, 0x05, 2, 0, 1, 0, 2, 0, 'a', 'b', 'c'}));
  EXPECT_EQ(Result("1.5"), Bytes({0x00, 0x03}) + Raw(1.5));
  EXPECT_EQ(Result("1:2"), Bytes({0x01, 0x03, 2, 0, 0, 0}) + Raw(1.0) + Raw(2.0));
  std::string time = Result("[2024-01-31]");
  ASSERT_EQ(time.size(), 10u);
  EXPECT_EQ(time.substr(0, 2), Bytes({0x00, 0x04}));
  EXPECT_EQ(time.substr(2, 4), Bytes({-1, -1, -1, -1})) << "a date without a time";
  std::string times = Result("[2024-01-31]:[2024-02-01 - 2024-02-02]");
  ASSERT_EQ(times.size(), 2u + 4 + 8 + 16);
  EXPECT_EQ(times.substr(0, 6), Bytes({0x01, 0x04, 1, 0, 1, 0}));
  EXPECT_EQ(Result("\"line1\nline2\""), Bytes({0x00, 0x05}) + std::string("line1\0line2", 11))
      << "line breaks are stored as NUL";
}

TEST_F(FormulaApi, ErrorValuesAndResultsOverTheWordLimitGiveAStatusWithoutAResult) {
  EXPECT_EQ(Result("1 + \"a\"", ERR_FORMULA_WRONG_TYPE), "");
  EXPECT_EQ(Result("@Error", ERR_FORMULA_USER_ERROR), "");
  EXPECT_EQ(Result("@Created", ERR_FORMULA_NEEDS_NOTE), "");
  std::string joined = "@Implode(x:x:x:x:x:x:x:x:x:x; \"\")";
  std::string formula = "x := \"" + std::string(7000, 'a') + "\"; ";
  EXPECT_EQ(Result(formula + joined, ERR_FORMULA_RESULT_TOO_BIG), "");
  EXPECT_EQ(Result(formula + "@Length(" + joined + ")"), Bytes({0x00, 0x03}) + Raw(70000.0))
      << "the value itself is fine";
}

// Every output may be null; the compiled formula's length is the block's.
TEST_F(FormulaApi, EveryOutputMayBeNull) {
  EXPECT_EQ(Compile("1", 1), NOERROR);
  EXPECT_EQ(Compile("1 +", 3), ERR_FORMULA_COMPILATION);
  HCOMPUTE compute = Start("SELECT 1");
  EXPECT_EQ(NSFComputeEvaluate(compute, NULLHANDLE, nullptr, nullptr, nullptr, nullptr, nullptr),
            NOERROR);
  BOOL matches = FALSE, deleted = TRUE, modified = TRUE;
  EXPECT_EQ(
      NSFComputeEvaluate(compute, NULLHANDLE, nullptr, nullptr, &matches, &deleted, &modified),
      NOERROR);
  EXPECT_TRUE(matches && !deleted && !modified);
  EXPECT_EQ(NSFComputeStop(compute), NOERROR);
  FORMULAHANDLE formula = NULLHANDLE;
  WORD length = 0;
  ASSERT_EQ(Compile("@All", 0, &formula, &length), NOERROR) << "length 0: up to the NUL";
  DWORD size = 0;
  OSMemGetSize(formula, &size);
  EXPECT_EQ(size, length);
  OSMemFree(formula);
}

TEST_F(FormulaApi, DamagedCompiledFormulasAreRefused) {
  FORMULAHANDLE formula = NULLHANDLE;
  WORD length = 0;
  ASSERT_EQ(Compile("Subject + \"x\"", 13, &formula, &length), NOERROR);
  auto* bytes = static_cast<unsigned char*>(OSLockObject(formula));
  std::string original(reinterpret_cast<char*>(bytes), length);
  HCOMPUTE compute = reinterpret_cast<HCOMPUTE>(1);
  for (size_t at = 0; at < length; ++at) {
    // Bytes 8..11 name the block the formula was made in: a hint for bounds, not content.
    if (at >= 8 && at < 12) continue;
    bytes[at] ^= 0x5A;
    EXPECT_EQ(NSFComputeStart(0, bytes, &compute), ERR_FORMULA_DAMAGED) << "byte " << at;
    EXPECT_EQ(compute, nullptr);
    bytes[at] ^= 0x5A;
  }
  // A length that claims more than the block holds.
  std::memset(bytes + 12, 0x7F, 2);
  EXPECT_EQ(NSFComputeStart(0, bytes, &compute), ERR_FORMULA_DAMAGED);
  std::memcpy(bytes, original.data(), length);
  EXPECT_EQ(NSFComputeStart(1, bytes, &compute), ERR_MISC_INVALID_ARGS) << "flags must be 0";
  EXPECT_EQ(NSFComputeStart(0, nullptr, &compute), ERR_MISC_INVALID_ARGS);
  OSUnlockObject(formula);
  OSMemFree(formula);
  DHANDLE garbage = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 64, &garbage), NOERROR);
  std::memset(OSLockObject(garbage), 'N', 64);
  EXPECT_EQ(NSFComputeStart(0, OSLockObject(garbage), &compute), ERR_FORMULA_DAMAGED);
  OSUnlockObject(garbage);
  OSUnlockObject(garbage);
  OSMemFree(garbage);
}

// Every compute here outlives its compiled formula (Start frees it).
TEST_F(FormulaApi, AStoppedComputeIsAStaleHandle) {
  HCOMPUTE compute = Start("2 * 21");
  EXPECT_EQ(NSFComputeStop(compute), NOERROR);
  EXPECT_EQ(NSFComputeStop(compute), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFComputeStop(nullptr), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFComputeEvaluate(compute, NULLHANDLE, nullptr, nullptr, nullptr, nullptr, nullptr),
            ERR_NOTESRT_INVALID_HANDLE);
}

TEST_F(FormulaApi, FieldAssignmentsChangeTheOpenNoteInMemoryOnly) {
  ASSERT_EQ(NSFItemSetText(Note(), "Subject", "Report", 6), NOERROR);
  NUMBER amount = 40;
  ASSERT_EQ(NSFItemSetNumber(Note(), "Amount", &amount), NOERROR);
  HCOMPUTE compute = Start(
      "FIELD Amount := Amount + 2; FIELD Tags := \"a\":\"b\"; "
      "SELECT @Contains(Subject; \"port\")");
  BOOL matches = FALSE, modified = FALSE;
  ASSERT_EQ(NSFComputeEvaluate(compute, Note(), nullptr, nullptr, &matches, nullptr, &modified),
            NOERROR);
  EXPECT_TRUE(matches);
  EXPECT_TRUE(modified);
  EXPECT_TRUE(NSFItemGetNumber(Note(), "Amount", &amount));
  EXPECT_EQ(amount, 42);
  EXPECT_EQ(NSFItemGetTextListEntries(Note(), "Tags"), 2);
  EXPECT_EQ(NSFComputeStop(compute), NOERROR);

  Reopen();
  char hex[16];
  std::snprintf(hex, sizeof hex, "NT%08X", static_cast<unsigned>(IdOf(Note())));
  EXPECT_EQ(
      Result("@Text(Amount) + \" \" + @Implode(Tags; \",\") + \" \" + @NoteID", NOERROR, Note()),
      Bytes({0x00, 0x05}) + "42 a,b " + hex);
}
// Compile errors: the status, its text, and where the offending text is in the bytes passed.
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
