// Selection and logic: constants, @If, @IsAvailable, @Do, validation results, view selections.
// @If and @Do take assignments to temporary variables among their arguments.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"

namespace notesrt {

namespace {

TValue True(TCall&) {
  return TValue::Boolean(true);
}

TValue False(TCall&) {
  return TValue::Boolean(false);
}

// @If(condition; value; condition; value; ...; else): only the branch taken is evaluated.
TValue If(TCall& Call) {
  size_t last = Call.Count() - 1;
  for (size_t index = 0; index < last; index += 2) {
    TValue condition = Call.Evaluate(index);
    if (condition.IsError()) return condition;
    if (condition.Kind() != TValueKind::Number) return WrongType();
    if (condition.IsTrue()) return Call.Evaluate(index + 1);
  }
  return Call.Evaluate(last);
}

bool OddCount(size_t Count) {
  return Count % 2 == 1;
}

TValue IsAvailable(TCall& Call) {
  return TValue::Boolean(Call.Evaluation().HasField(Call.FieldName()));
}

TValue IsUnavailable(TCall& Call) {
  return TValue::Boolean(!Call.Evaluation().HasField(Call.FieldName()));
}

TValue Do(TCall& Call) {
  return Call.Arg(Call.Count() - 1);
}

TValue Failure(TCall& Call) {
  return Call.Arg(0);
}

constexpr std::array Specs{
    TFunctionSpec{u"ALL", 0, 0, 0, True},
    TFunctionSpec{u"TRUE", 0, 0, 0, True},
    TFunctionSpec{u"YES", 0, 0, 0, True},
    TFunctionSpec{u"FALSE", 0, 0, 0, False},
    TFunctionSpec{u"NO", 0, 0, 0, False},
    TFunctionSpec{u"SUCCESS", 0, 0, 0, True},
    TFunctionSpec{u"FAILURE", 1, 1, 0, Failure},
    TFunctionSpec{u"IF", 3, 255, fnLazy | fnStatements, If, -1, {}, OddCount},
    TFunctionSpec{u"ISAVAILABLE", 1, 1, fnFieldName, IsAvailable},
    TFunctionSpec{u"ISUNAVAILABLE", 1, 1, fnFieldName, IsUnavailable},
    TFunctionSpec{u"DO", 1, 255, fnStatements, Do},
    // The view adds the responses of selected documents itself; for the note at hand these
    // select nothing.
    TFunctionSpec{u"ALLCHILDREN", 0, 0, fnViewSelection, False},
    TFunctionSpec{u"ALLDESCENDANTS", 0, 0, fnViewSelection, False},
};

}  // namespace

std::span<const TFunctionSpec> LogicFunctions() {
  return Specs;
}

}  // namespace notesrt
