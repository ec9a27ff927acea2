#include "FormulaFixture.h"

#include <cstring>
#include <sstream>

#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "search/formula/CompiledFormula.h"

namespace formulatest {

namespace {

std::string Upper(std::string_view Name) {
  std::string upper(Name);
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string Utf8(const std::u16string& Text) {
  std::string text;
  for (char16_t c : Text) {
    if (c < 0x80)
      text.push_back(static_cast<char>(c));
    else
      text += "\\u" + std::to_string(static_cast<unsigned>(c));
  }
  return text;
}

}  // namespace

std::optional<notesrt::TItemValue> TFakeContext::ReadItem(std::string_view Name) {
  auto item = Items.find(Upper(Name));
  if (item == Items.end()) return std::nullopt;
  return item->second;
}

void TFakeContext::WriteItem(std::string_view Name, const notesrt::TItemValue& Value) {
  Items[Upper(Name)] = Value;
  Written.push_back(std::string(Name));
}

UNIVERSALNOTEID TFakeContext::Unid() {
  return UNIVERSALNOTEID{{0x11111111, 0x22222222}, {{0x33333333, 0x44444444}}};
}

notesrt::TRegionalSettings TFakeContext::RegionalSettings() {
  return Regional ? *Regional : IFormulaContext::RegionalSettings();
}

void TFakeContext::Set(const std::string& Name, notesrt::TItemValue Value) {
  Items[Upper(Name)] = std::move(Value);
}

notesrt::TItemValue TextItem(const std::string& Lmbcs) {
  return notesrt::TItemValue{TYPE_TEXT, Lmbcs};
}

notesrt::TItemValue TextListItem(const std::vector<std::string>& Lmbcs) {
  return notesrt::TItemValue{TYPE_TEXT_LIST, runtimetest::TextListValue(Lmbcs)};
}

notesrt::TItemValue NumberItem(double Number) {
  return notesrt::TItemValue{TYPE_NUMBER, runtimetest::Raw(Number)};
}

notesrt::TItemValue NumbersItem(const std::vector<double>& Numbers) {
  std::string bytes =
      runtimetest::Raw(static_cast<WORD>(Numbers.size())) + runtimetest::Raw(WORD{0});
  for (double number : Numbers) bytes += runtimetest::Raw(number);
  return notesrt::TItemValue{TYPE_NUMBER_RANGE, bytes};
}

notesrt::TItemValue TimeItem(const TIMEDATE& Time) {
  return notesrt::TItemValue{TYPE_TIME, runtimetest::Raw(Time)};
}

FormulaTest::FormulaTest() {
  // 2024-01-31 09:30 GMT (a Wednesday) as Berlin stamps it: zone +1, observes DST.
  FContext.CreatedTime.Innards[0] = (9 * 3600 + 30 * 60) * 100;
  FContext.CreatedTime.Innards[1] = 2460341 | 0x80000000 | 0x40000000 | 0x01000000;
  FContext.Set("Subject", TextItem("Hello"));
  FContext.Set("Tags", TextListItem({"red", "green", "blue"}));
  FContext.Set("Amount", NumberItem(42));
  FContext.Set("Scores", NumbersItem({1, 2, 3}));
  FContext.Set("$UpdatedBy", TextListItem({"CN=Jane Roe/O=Acme"}));
}

notesrt::TFormulaResult FormulaTest::Run(const std::string& Formula, bool ViewSelection) {
  notesrt::TCompileError error;
  auto compiled = notesrt::TCompiledFormula::Compile(Formula, ViewSelection, error);
  if (!compiled) {
    ADD_FAILURE() << "does not compile: " << Formula << " (status 0x" << std::hex << error.Status
                  << " at " << std::dec << error.Offset << ")";
    return {};
  }
  return notesrt::TEvaluator(compiled).Evaluate(FContext);
}

void FormulaTest::Check(std::initializer_list<TCase> Cases) {
  for (const TCase& c : Cases) {
    notesrt::TValue actual = Value(c.Formula);
    notesrt::TValue expected = Value(c.Expected);
    EXPECT_EQ(actual, expected) << c.Name << (*c.Name ? ": " : "") << c.Formula << "\n  gives    "
                                << Describe(actual) << "\n  expected " << Describe(expected);
  }
}

std::string Describe(const notesrt::TValue& Value) {
  std::ostringstream text;
  switch (Value.Kind()) {
    case notesrt::TValueKind::Error:
      text << "error 0x" << std::hex << Value.ErrorStatus();
      break;
    case notesrt::TValueKind::Text:
      for (const std::u16string& t : Value.AsTexts()) text << "\"" << Utf8(t) << "\" ";
      break;
    case notesrt::TValueKind::Number:
      for (double n : Value.AsNumbers()) text << n << " ";
      break;
    case notesrt::TValueKind::Time:
      for (const notesrt::TTimeEntry& t : Value.AsTimes())
        text << "[" << t.Lower.Innards[1] << "/" << t.Lower.Innards[0]
             << (t.IsRange ? " range" : "") << "] ";
      break;
  }
  return text.str();
}

}  // namespace formulatest
