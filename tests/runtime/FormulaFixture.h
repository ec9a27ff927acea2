#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "search/formula/Evaluator.h"
#include "search/formula/FormulaContext.h"
#include "text/RegionalSettings.h"

namespace formulatest {

// A note for the engine alone: items by upper-case name, fixed identity, writes recorded.
class TFakeContext : public notesrt::IFormulaContext {
 public:
  bool HasNote() const override { return Note; }
  std::optional<notesrt::TItemValue> ReadItem(std::string_view Name) override;
  void WriteItem(std::string_view Name, const notesrt::TItemValue& Value) override;
  NOTEID NoteId() override { return 0xABC; }
  UNIVERSALNOTEID Unid() override;
  TIMEDATE Created() override { return CreatedTime; }
  TIMEDATE Modified() override { return CreatedTime; }
  bool IsResponse() override { return true; }
  std::string DbServer() override { return ""; }
  std::string DbPath() override { return "mail/jdoe.nsf"; }
  std::string DbTitle() override { return "Mail of John"; }
  std::string UserName() override { return "CN=John Doe/OU=Sales/O=Acme"; }
  notesrt::TRegionalSettings RegionalSettings() override;

  void Set(const std::string& Name, notesrt::TItemValue Value);

  bool Note = true;
  TIMEDATE CreatedTime{};
  std::map<std::string, notesrt::TItemValue> Items;
  std::vector<std::string> Written;
  // What the engine sees instead of the thread's locale, when set.
  std::optional<notesrt::TRegionalSettings> Regional;
};

// Item values built by hand, so that reading them does not rely on the engine's own writer.
notesrt::TItemValue TextItem(const std::string& Lmbcs);
notesrt::TItemValue TextListItem(const std::vector<std::string>& Lmbcs);
notesrt::TItemValue NumberItem(double Number);
notesrt::TItemValue NumbersItem(const std::vector<double>& Numbers);
notesrt::TItemValue TimeItem(const TIMEDATE& Time);

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
  FormulaTest();

  // Compiles (failing the test when it does not) and evaluates against FContext.
  notesrt::TFormulaResult Run(const std::string& Formula, bool ViewSelection = false);
  notesrt::TValue Value(const std::string& Formula) { return Run(Formula).Value; }
  // Each formula against its expected value; a failure names the case and its formula.
  void Check(std::initializer_list<TCase> Cases);

  vesktest::ScopedTimeZone FZone{"Europe/Berlin"};
  vesktest::ScopedLocale FLocale{"C"};
  TFakeContext FContext;
};

// A readable form of a value for failure messages.
std::string Describe(const notesrt::TValue& Value);

}  // namespace formulatest
