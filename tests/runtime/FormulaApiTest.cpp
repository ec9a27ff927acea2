// The formula functions of the C API: compile, lock, start, evaluate, read the result, free.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "RichTextRecords.h"
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
  // Compiles (asserting success), starts a compute, frees the compiled formula and returns the
  // compute, as the object library does.
  HCOMPUTE Start(const std::string& Formula) {
    FORMULAHANDLE formula = NULLHANDLE;
    EXPECT_EQ(NSFFormulaCompile(nullptr, 0, Formula.data(), static_cast<WORD>(Formula.size()),
                                &formula, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              NOERROR);
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
template <class T>
std::string Raw(const T& Value) {
  return std::string(reinterpret_cast<const char*>(&Value), sizeof Value);
}

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
  EXPECT_EQ(NSFFormulaCompile(nullptr, 0, "1", 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
            NOERROR);
  EXPECT_EQ(NSFFormulaCompile(nullptr, 0, "1 +", 3, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
            ERR_FORMULA_COMPILATION);
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
  ASSERT_EQ(NSFFormulaCompile(nullptr, 0, "@All", 0, &formula, &length, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
            NOERROR)
      << "length 0: up to the NUL";
  DWORD size = 0;
  OSMemGetSize(formula, &size);
  EXPECT_EQ(size, length);
  OSMemFree(formula);
}

TEST_F(FormulaApi, DamagedCompiledFormulasAreRefused) {
  FORMULAHANDLE formula = NULLHANDLE;
  WORD length = 0;
  ASSERT_EQ(NSFFormulaCompile(nullptr, 0, "Subject + \"x\"", 13, &formula, &length, nullptr,
                              nullptr, nullptr, nullptr, nullptr),
            NOERROR);
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

  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  runtimetest::NoteRef note;
  ASSERT_EQ(NSFNoteOpen(FDb->Get(), IdOf(Note()), 0, note.Out()), NOERROR);
  char hex[16];
  std::snprintf(hex, sizeof hex, "NT%08X", static_cast<unsigned>(IdOf(Note())));
  EXPECT_EQ(Result("@Text(Amount) + \" \" + @Implode(Tags; \",\") + \" \" + @NoteID", NOERROR,
                   note.Get()),
            Bytes({0x00, 0x05}) + "42 a,b " + hex);
}
}  // namespace
