#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "search/formula/CompiledFormula.h"
#include "search/formula/Evaluator.h"
#include "search/formula/FormulaContext.h"
#include "text/RegionalSettings.h"

namespace formulatest {

// A note for the engine alone: items by upper-case name, fixed identity, writes recorded.
class TFakeContext : public notesrt::IFormulaContext {
 public:
  bool HasNote() const override { return Note; }
  std::optional<notesrt::TItemValue> ReadItem(std::string_view Name) override {
    auto item = Items.find(Upper(Name));
    if (item == Items.end()) return std::nullopt;
    return item->second;
  }
  void WriteItem(std::string_view Name, const notesrt::TItemValue& Value) override {
    Items[Upper(Name)] = Value;
    Written.push_back(std::string(Name));
  }
  NOTEID NoteId() override { return 0xABC; }
  UNIVERSALNOTEID Unid() override {
    return UNIVERSALNOTEID{{0x11111111, 0x22222222}, {{0x33333333, 0x44444444}}};
  }
  TIMEDATE Created() override { return CreatedTime; }
  TIMEDATE Modified() override { return CreatedTime; }
  bool IsResponse() override { return true; }
  std::string DbServer() override { return ""; }
  std::string DbPath() override { return "mail/jdoe.nsf"; }
  std::string DbTitle() override { return "Mail of John"; }
  std::string UserName() override { return "CN=John Doe/OU=Sales/O=Acme"; }
  notesrt::TRegionalSettings RegionalSettings() override {
    return Regional ? *Regional : IFormulaContext::RegionalSettings();
  }

  void Set(const std::string& Name, notesrt::TItemValue Value) {
    Items[Upper(Name)] = std::move(Value);
  }

  bool Note = true;
  TIMEDATE CreatedTime{};
  std::map<std::string, notesrt::TItemValue> Items;
  std::vector<std::string> Written;
  // What the engine sees instead of the thread's locale, when set.
  std::optional<notesrt::TRegionalSettings> Regional;

 private:
  static std::string Upper(std::string_view Name) {
    std::string upper(Name);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return upper;
  }
};

// Item values built by hand, so that reading them does not rely on the engine's own writer.
inline notesrt::TItemValue TextItem(const std::string& Lmbcs) {
  return notesrt::TItemValue{TYPE_TEXT, Lmbcs};
}
inline notesrt::TItemValue TextListItem(const std::vector<std::string>& Lmbcs) {
  return notesrt::TItemValue{TYPE_TEXT_LIST, runtimetest::TextListValue(Lmbcs)};
}
inline notesrt::TItemValue NumberItem(double Number) {
  return notesrt::TItemValue{TYPE_NUMBER, runtimetest::Raw(Number)};
}
inline notesrt::TItemValue NumbersItem(const std::vector<double>& Numbers) {
  std::string bytes =
      runtimetest::Raw(static_cast<WORD>(Numbers.size())) + runtimetest::Raw(WORD{0});
  for (double number : Numbers) bytes += runtimetest::Raw(number);
  return notesrt::TItemValue{TYPE_NUMBER_RANGE, bytes};
}
inline notesrt::TItemValue TimeItem(const TIMEDATE& Time) {
  return notesrt::TItemValue{TYPE_TIME, runtimetest::Raw(Time)};
}

// A readable form of a value for failure messages.
inline std::string Describe(const notesrt::TValue& Value) {
  std::ostringstream text;
  switch (Value.Kind()) {
    case notesrt::TValueKind::Error:
      text << "error 0x" << std::hex << Value.ErrorStatus();
      break;
    case notesrt::TValueKind::Text:
      for (const std::u16string& t : Value.AsTexts()) {
        text << "\"";
        for (char16_t c : t) {
          if (c < 0x80)
            text << static_cast<char>(c);
          else
            text << "\\u" << static_cast<unsigned>(c);
        }
        text << "\" ";
      }
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

// A formula and the value it should give, itself written as a formula; Name says what the case
// shows where the formula alone does not.
struct TCase {
  const char* Formula;
  const char* Expected;
  const char* Name = "";
};

// Formulas against a fake note in a zone with daylight-saving time, in the C locale.
class FormulaTest : public testing::Test {
 protected:
  FormulaTest() {
    // 2024-01-31 09:30 GMT (a Wednesday) as Berlin stamps it: zone +1, observes DST.
    FContext.CreatedTime.Innards[0] = (9 * 3600 + 30 * 60) * 100;
    FContext.CreatedTime.Innards[1] = 2460341 | 0x80000000 | 0x40000000 | 0x01000000;
    FContext.Set("Subject", TextItem("Hello"));
    FContext.Set("Tags", TextListItem({"red", "green", "blue"}));
    FContext.Set("Amount", NumberItem(42));
    FContext.Set("Scores", NumbersItem({1, 2, 3}));
    FContext.Set("$UpdatedBy", TextListItem({"CN=Jane Roe/O=Acme"}));
  }

  // Compiles (failing the test when it does not) and evaluates against FContext.
  notesrt::TFormulaResult Run(const std::string& Formula, bool ViewSelection = false) {
    notesrt::TCompileError error;
    auto compiled = notesrt::TCompiledFormula::Compile(Formula, ViewSelection, error);
    if (!compiled) {
      ADD_FAILURE() << "does not compile: " << Formula << " (status 0x" << std::hex << error.Status
                    << " at " << std::dec << error.Offset << ")";
      return {};
    }
    return notesrt::TEvaluator(compiled).Evaluate(FContext);
  }
  notesrt::TValue Value(const std::string& Formula) { return Run(Formula).Value; }

  // Each formula against its expected value; a failure names the case and its formula.
  void Check(std::initializer_list<TCase> Cases) {
    for (const TCase& c : Cases) {
      notesrt::TValue actual = Value(c.Formula);
      notesrt::TValue expected = Value(c.Expected);
      EXPECT_EQ(actual, expected) << c.Name << (*c.Name ? ": " : "") << c.Formula << "\n  gives    "
                                  << Describe(actual) << "\n  expected " << Describe(expected);
    }
  }

  vesktest::ScopedTimeZone FZone{"Europe/Berlin"};
  vesktest::ScopedLocale FLocale{"C"};
  TFakeContext FContext;
};

}  // namespace formulatest
