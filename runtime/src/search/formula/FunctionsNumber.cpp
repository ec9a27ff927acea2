// Numbers: @Sum, @Max, @Min, @Abs, @Round, @Integer, @Modulo.
#include <algorithm>
#include <array>
#include <cmath>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/ListOps.h"

namespace notesrt {

namespace {

bool AllNumbers(const TCall& Call) {
  for (size_t index = 0; index < Call.Count(); ++index)
    if (Call.Arg(index).Kind() != TValueKind::Number) return false;
  return true;
}

TValue Sum(TCall& Call) {
  if (!AllNumbers(Call)) return WrongType();
  double sum = 0;
  for (size_t index = 0; index < Call.Count(); ++index)
    for (double number : Call.Arg(index).AsNumbers()) sum += number;
  return std::isfinite(sum) ? TValue::Number(sum) : TValue::Error(ERR_FORMULA_OVERFLOW);
}

// One list: its largest (smallest) element. Two: the larger (smaller) of each pair.
template <bool Largest>
TValue Extreme(TCall& Call) {
  if (!AllNumbers(Call)) return WrongType();
  auto pick = [](double a, double b) { return Largest ? std::max(a, b) : std::min(a, b); };
  const TValue::TNumbers& first = Call.Arg(0).AsNumbers();
  if (Call.Count() == 1)
    return TValue::Number(Largest ? *std::max_element(first.begin(), first.end())
                                  : *std::min_element(first.begin(), first.end()));
  return TValue::Numbers(CombineLists<double>(first, Call.Arg(1).AsNumbers(), false, pick));
}

TValue Abs(TCall& Call) {
  return MapNumbers(Call.Arg(0), [](double n) { return std::fabs(n); });
}

TValue Integer(TCall& Call) {
  return MapNumbers(Call.Arg(0), [](double n) { return std::trunc(n); });
}

// To the nearest multiple of the factor (1 when not given), halves away from zero.
TValue Round(TCall& Call) {
  if (!AllNumbers(Call)) return WrongType();
  double factor = Call.Count() > 1 ? Call.Arg(1).AsNumbers()[0] : 1;
  if (factor == 0) return InvalidArgument();
  return MapNumbers(Call.Arg(0), [&](double n) { return std::round(n / factor) * factor; });
}

// The remainder with the sign of the dividend, pair by pair.
TValue Modulo(TCall& Call) {
  if (!AllNumbers(Call)) return WrongType();
  const TValue::TNumbers& divisors = Call.Arg(1).AsNumbers();
  if (std::find(divisors.begin(), divisors.end(), 0.0) != divisors.end())
    return TValue::Error(ERR_FORMULA_DIVIDE_BY_ZERO);
  return TValue::Numbers(CombineLists<double>(Call.Arg(0).AsNumbers(), divisors, false,
                                              [](double a, double b) { return std::fmod(a, b); }));
}

constexpr std::array Specs{
    TFunctionSpec{u"SUM", 1, 255, 0, Sum},          TFunctionSpec{u"MAX", 1, 2, 0, Extreme<true>},
    TFunctionSpec{u"MIN", 1, 2, 0, Extreme<false>}, TFunctionSpec{u"ABS", 1, 1, 0, Abs},
    TFunctionSpec{u"INTEGER", 1, 1, 0, Integer},    TFunctionSpec{u"ROUND", 1, 2, 0, Round},
    TFunctionSpec{u"MODULO", 2, 2, 0, Modulo},
};

}  // namespace

std::span<const TFunctionSpec> NumberFunctions() {
  return Specs;
}

}  // namespace notesrt
