// Feeds arbitrary bytes to the formula compiler, to the loader of compiled formulas and, for
// what compiles, to the evaluator against a small note: the first byte picks the mode, the rest
// is the formula text or the compiled bytes.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "notesapi/misc.h"
#include "search/formula/CompiledFormula.h"
#include "search/formula/Evaluator.h"
#include "search/formula/FormulaContext.h"

namespace {

template <class T>
std::string Raw(const T& Value) {
  return std::string(reinterpret_cast<const char*>(&Value), sizeof Value);
}

// A note with a few items of each kind, one of them damaged; writes land in memory.
class TFuzzContext : public notesrt::IFormulaContext {
 public:
  TFuzzContext() {
    FItems["SUBJECT"] = {TYPE_TEXT, "Quarterly report"};
    FItems["TAGS"] = {TYPE_TEXT_LIST, std::string("\x02\x00\x01\x00\x02\x00"
                                                  "abc",
                                                  9)};
    FItems["AMOUNT"] = {TYPE_NUMBER, Raw(42.5)};
    FItems["WHEN"] = {TYPE_TIME, Raw(TIMEDATE{{3600000, 2460341}})};
    FItems["BROKEN"] = {TYPE_TIME_RANGE, std::string("\xFF\xFF\x01\x00", 4)};
  }

  bool HasNote() const override { return true; }
  std::optional<notesrt::TItemValue> ReadItem(std::string_view Name) override {
    auto item = FItems.find(Key(Name));
    if (item == FItems.end()) return std::nullopt;
    return item->second;
  }
  void WriteItem(std::string_view Name, const notesrt::TItemValue& Value) override {
    FItems[Key(Name)] = Value;
  }
  NOTEID NoteId() override { return 0x1234; }
  UNIVERSALNOTEID Unid() override { return {}; }
  TIMEDATE Created() override { return TIMEDATE{{3600000, 2460341}}; }
  TIMEDATE Modified() override { return TIMEDATE{{ALLDAY, 2460341}}; }
  bool IsResponse() override { return false; }
  std::string DbServer() override { return ""; }
  std::string DbPath() override { return "fuzz.nsf"; }
  std::string DbTitle() override { return "Fuzz"; }
  std::string UserName() override { return "CN=Fuzz Tester/O=Vesk"; }

 private:
  static std::string Key(std::string_view Name) {
    std::string key(Name);
    for (char& c : key)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
  }

  std::map<std::string, notesrt::TItemValue> FItems;
};

void Evaluate(const std::shared_ptr<const notesrt::TCompiledFormula>& Formula) {
  TFuzzContext context;
  notesrt::TEvaluator evaluator(Formula);
  evaluator.Evaluate(context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0 || Size > 0x10000) return 0;
  uint8_t mode = Data[0];
  std::string_view rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  if (mode & 0x80) {
    // Compiled bytes straight from the input: damage must be refused, never read past.
    try {
      Evaluate(notesrt::TCompiledFormula::Load(rest.data(), rest.size()));
    } catch (const std::exception&) {
    }
    return 0;
  }
  notesrt::TCompileError error;
  auto formula = notesrt::TCompiledFormula::Compile(rest, mode & 1, error);
  if (!formula) return 0;
  // The compute side rebuilds from the serialised form alone.
  std::string bytes = formula->Serialize(NULLHANDLE);
  Evaluate(notesrt::TCompiledFormula::Load(bytes.data(), bytes.size()));
  return 0;
}
