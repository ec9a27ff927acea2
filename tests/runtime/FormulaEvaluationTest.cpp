// Errors as values, assignments to the note, defaults, selections and limits.
#include "FormulaFixture.h"
#include "notesapi/nsfsearc.h"

using formulatest::FormulaTest;
using formulatest::NumberItem;

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

}  // namespace
