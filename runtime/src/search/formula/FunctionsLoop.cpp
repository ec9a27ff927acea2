// Loops: @For, @While, @DoWhile. Their arguments are statements, assignments among them, run in
// the order the loop gives; each gives @True when its condition ends it. A loop that would run
// more than MaxIterations rounds stops with an error instead, as the language limits it.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/ListOps.h"

namespace notesrt {

namespace {

constexpr size_t MaxIterations = 5000;

// Arguments First..Last-1 in order; the first error stops them and is what they give.
std::optional<TValue> RunStatements(TCall& Call, size_t First, size_t Last) {
  for (size_t index = First; index < Last; ++index) {
    TValue value = Call.Evaluate(index);
    if (value.IsError()) return value;
  }
  return std::nullopt;
}

// The condition at Index: whether it holds, or the error (also for a value that is no number).
std::optional<TValue> Test(TCall& Call, size_t Index, bool& Holds) {
  TValue value = Call.Evaluate(Index);
  if (value.IsError()) return value;
  if (value.Kind() != TValueKind::Number) return WrongType();
  Holds = value.IsTrue();
  return std::nullopt;
}

// Rounds of: the condition when tested first, the statements First..Last-1, the step (if any),
// then the condition when tested last.
struct TLoop {
  size_t Condition;
  size_t First;
  size_t Last;
  bool TestFirst;
  std::optional<size_t> Step;
};

TValue Loop(TCall& Call, const TLoop& Loop) {
  for (size_t round = 0;; ++round) {
    bool holds = false;
    if (Loop.TestFirst) {
      if (std::optional<TValue> error = Test(Call, Loop.Condition, holds)) return *error;
      if (!holds) break;
    }
    if (round == MaxIterations) return TValue::Error(ERR_FORMULA_TOO_MANY_ITERATIONS);
    PollBreak(round);
    if (std::optional<TValue> error = RunStatements(Call, Loop.First, Loop.Last)) return *error;
    if (Loop.Step)
      if (std::optional<TValue> error = RunStatements(Call, *Loop.Step, *Loop.Step + 1))
        return *error;
    if (!Loop.TestFirst) {
      if (std::optional<TValue> error = Test(Call, Loop.Condition, holds)) return *error;
      if (!holds) break;
    }
  }
  return TValue::Boolean(true);
}

// @For(initialize; condition; increment; statement; ...): the increment ends each round.
TValue For(TCall& Call) {
  if (std::optional<TValue> error = RunStatements(Call, 0, 1)) return *error;
  return Loop(Call, TLoop{1, 3, Call.Count(), true, 2});
}

TValue While(TCall& Call) {
  return Loop(Call, TLoop{0, 1, Call.Count(), true, std::nullopt});
}

TValue DoWhile(TCall& Call) {
  return Loop(Call, TLoop{Call.Count() - 1, 0, Call.Count() - 1, false, std::nullopt});
}

constexpr std::array Specs{
    TFunctionSpec{u"FOR", 4, 255, fnLazy | fnStatements, For},
    TFunctionSpec{u"WHILE", 2, 255, fnLazy | fnStatements, While},
    TFunctionSpec{u"DOWHILE", 2, 255, fnLazy | fnStatements, DoWhile},
};

}  // namespace

std::span<const TFunctionSpec> LoopFunctions() {
  return Specs;
}

}  // namespace notesrt
