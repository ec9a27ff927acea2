#include "search/formula/Operators.h"

#include <cmath>

#include "notesapi/nsfsearc.h"
#include "search/formula/ListOps.h"
#include "search/formula/TimeMath.h"

namespace notesrt {

namespace {

using TTexts = TValue::TTexts;
using TNumbers = TValue::TNumbers;
using TTimes = TValue::TTimes;

TValue WrongType() {
  return TValue::Error(ERR_FORMULA_WRONG_TYPE);
}

bool Both(const TValue& Left, const TValue& Right, TValueKind Kind) {
  return Left.Kind() == Kind && Right.Kind() == Kind;
}

// A number result that is not finite is an overflow, not a value.
TValue CheckedNumbers(TNumbers Numbers) {
  for (double number : Numbers)
    if (!std::isfinite(number)) return TValue::Error(ERR_FORMULA_OVERFLOW);
  return TValue::Numbers(std::move(Numbers));
}

template <class TCombine>
TValue NumberOp(const TValue& Left, const TValue& Right, bool Permuted, TCombine Combine) {
  return CheckedNumbers(
      CombineLists<double>(Left.AsNumbers(), Right.AsNumbers(), Permuted, Combine));
}

// Time plus or minus seconds; Sign is -1 for minus. Ranges do not move.
TValue ShiftTimes(const TTimes& Times, const TNumbers& Seconds, bool Permuted, double Sign) {
  bool failed = false;
  TTimes moved = CombineLists<TTimeEntry>(
      Times, Seconds, Permuted, [&](const TTimeEntry& time, double seconds) {
        std::optional<TIMEDATE> shifted;
        if (!time.IsRange) shifted = AddSeconds(time.Lower, Sign * seconds);
        failed = failed || !shifted;
        return TTimeEntry{shifted.value_or(TIMEDATE{}), {}, false};
      });
  return failed ? TValue::Error(ERR_FORMULA_OVERFLOW) : TValue::Times(std::move(moved));
}

// The length of every concatenation together, known before any is made.
size_t JoinedUnits(const TValue& Left, const TValue& Right, bool Permuted) {
  size_t units = 0;
  AnyCombination(Left.AsTexts(), Right.AsTexts(), Permuted, [&](const auto& a, const auto& b) {
    units += a.size() + b.size();
    return units > TValue::MaxTextUnits;
  });
  return units;
}

TValue Plus(const TValue& Left, const TValue& Right, bool Permuted) {
  if (Both(Left, Right, TValueKind::Number))
    return NumberOp(Left, Right, Permuted, [](double a, double b) { return a + b; });
  if (Both(Left, Right, TValueKind::Text) &&
      JoinedUnits(Left, Right, Permuted) > TValue::MaxTextUnits)
    return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
  if (Both(Left, Right, TValueKind::Text))
    return TValue::Texts(CombineLists<std::u16string>(
        Left.AsTexts(), Right.AsTexts(), Permuted,
        [](const std::u16string& a, const std::u16string& b) { return a + b; }));
  if (Left.Kind() == TValueKind::Time && Right.Kind() == TValueKind::Number)
    return ShiftTimes(Left.AsTimes(), Right.AsNumbers(), Permuted, 1);
  if (Left.Kind() == TValueKind::Number && Right.Kind() == TValueKind::Time)
    return ShiftTimes(Right.AsTimes(), Left.AsNumbers(), Permuted, 1);
  return WrongType();
}

TValue Minus(const TValue& Left, const TValue& Right, bool Permuted) {
  if (Both(Left, Right, TValueKind::Number))
    return NumberOp(Left, Right, Permuted, [](double a, double b) { return a - b; });
  if (Left.Kind() == TValueKind::Time && Right.Kind() == TValueKind::Number)
    return ShiftTimes(Left.AsTimes(), Right.AsNumbers(), Permuted, -1);
  if (!Both(Left, Right, TValueKind::Time)) return WrongType();
  bool ranged = false;
  TNumbers seconds = CombineLists<double>(Left.AsTimes(), Right.AsTimes(), Permuted,
                                          [&](const TTimeEntry& a, const TTimeEntry& b) {
                                            ranged = ranged || a.IsRange || b.IsRange;
                                            return SecondsBetween(a.Lower, b.Lower);
                                          });
  return ranged ? WrongType() : TValue::Numbers(std::move(seconds));
}

TValue Arithmetic(const TChainOp& Op, const TValue& Left, const TValue& Right) {
  switch (Op.Op) {
    case TOperator::Plus:
      return Plus(Left, Right, Op.Permuted);
    case TOperator::Minus:
      return Minus(Left, Right, Op.Permuted);
    default:
      break;
  }
  if (!Both(Left, Right, TValueKind::Number)) return WrongType();
  if (Op.Op == TOperator::Times)
    return NumberOp(Left, Right, Op.Permuted, [](double a, double b) { return a * b; });
  bool byZero = false;
  TValue quotient = NumberOp(Left, Right, Op.Permuted, [&](double a, double b) {
    byZero = byZero || b == 0;
    return b == 0 ? 0 : a / b;
  });
  return byZero ? TValue::Error(ERR_FORMULA_DIVIDE_BY_ZERO) : quotient;
}

bool Holds(TOperator Op, int Order) {
  switch (Op) {
    case TOperator::Equal:
      return Order == 0;
    case TOperator::NotEqual:
      return Order != 0;
    case TOperator::Less:
      return Order < 0;
    case TOperator::Greater:
      return Order > 0;
    case TOperator::LessEqual:
      return Order <= 0;
    default:
      return Order >= 0;
  }
}

int Order(double A, double B) {
  return (A > B) - (A < B);
}

// Text equality is exact (case and accents count); only the order uses the collation.
int TextOrder(TOperator Op, const std::u16string& A, const std::u16string& B,
              TCollation& Collation) {
  if (Op == TOperator::Equal || Op == TOperator::NotEqual) return A == B ? 0 : 1;
  return Collation.Compare(A, B);
}

int TimeOrder(TOperator Op, const TTimeEntry& A, const TTimeEntry& B, bool& Ranged) {
  bool equality = Op == TOperator::Equal || Op == TOperator::NotEqual;
  if (A.IsRange || B.IsRange) {
    Ranged = Ranged || !equality;
    bool same = A.IsRange == B.IsRange && CompareTimes(A.Lower, B.Lower) == 0 &&
                (!A.IsRange || CompareTimes(A.Upper, B.Upper) == 0);
    return same ? 0 : 1;
  }
  return CompareTimes(A.Lower, B.Lower);
}

// True when any combination satisfies the comparison.
TValue Compare(const TChainOp& Op, const TValue& Left, const TValue& Right, TCollation& Collation) {
  if (Left.Kind() != Right.Kind()) return WrongType();
  TOperator op = Op.Op;
  switch (Left.Kind()) {
    case TValueKind::Number:
      return TValue::Boolean(
          AnyCombination(Left.AsNumbers(), Right.AsNumbers(), Op.Permuted,
                         [&](double a, double b) { return Holds(op, Order(a, b)); }));
    case TValueKind::Text:
      return TValue::Boolean(AnyCombination(
          Left.AsTexts(), Right.AsTexts(), Op.Permuted,
          [&](const auto& a, const auto& b) { return Holds(op, TextOrder(op, a, b, Collation)); }));
    default: {
      bool ranged = false;
      bool holds = AnyCombination(
          Left.AsTimes(), Right.AsTimes(), Op.Permuted,
          [&](const auto& a, const auto& b) { return Holds(op, TimeOrder(op, a, b, ranged)); });
      return ranged ? WrongType() : TValue::Boolean(holds);
    }
  }
}

template <class TList>
TList Joined(const TList& Left, const TList& Right) {
  TList joined = Left;
  joined.insert(joined.end(), Right.begin(), Right.end());
  return joined;
}

TValue Concatenate(const TValue& Left, const TValue& Right) {
  if (Left.Kind() != Right.Kind()) return WrongType();
  if (Left.Size() + Right.Size() > TValue::MaxElements)
    return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
  switch (Left.Kind()) {
    case TValueKind::Text:
      return TValue::Texts(Joined(Left.AsTexts(), Right.AsTexts()));
    case TValueKind::Number:
      return TValue::Numbers(Joined(Left.AsNumbers(), Right.AsNumbers()));
    default:
      return TValue::Times(Joined(Left.AsTimes(), Right.AsTimes()));
  }
}

TValue Logical(const TChainOp& Op, const TValue& Left, const TValue& Right) {
  if (!Both(Left, Right, TValueKind::Number)) return WrongType();
  bool conjunction = Op.Op == TOperator::And;
  return TValue::Numbers(CombineLists<double>(
      Left.AsNumbers(), Right.AsNumbers(), Op.Permuted, [&](double a, double b) {
        return conjunction ? (a != 0 && b != 0 ? 1.0 : 0.0) : (a != 0 || b != 0 ? 1.0 : 0.0);
      }));
}

}  // namespace

TValue ApplyBinary(const TChainOp& Op, const TValue& Left, const TValue& Right,
                   TCollation& Collation) {
  if (Left.IsError()) return Left;
  if (Right.IsError()) return Right;
  if (Op.Op != TOperator::List &&
      CombinedSize(Left.Size(), Right.Size(), Op.Permuted) > TValue::MaxElements)
    return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
  switch (Op.Op) {
    case TOperator::List:
      return Concatenate(Left, Right);
    case TOperator::And:
    case TOperator::Or:
      return Logical(Op, Left, Right);
    case TOperator::Plus:
    case TOperator::Minus:
    case TOperator::Times:
    case TOperator::Divide:
      return Arithmetic(Op, Left, Right);
    default:
      return Compare(Op, Left, Right, Collation);
  }
}

TValue ApplyUnary(TOperator Op, const TValue& Operand) {
  if (Operand.IsError()) return Operand;
  if (Operand.Kind() != TValueKind::Number) return WrongType();
  TNumbers numbers = Operand.AsNumbers();
  for (double& number : numbers) {
    if (Op == TOperator::Minus)
      number = -number;
    else if (Op == TOperator::Not)
      number = number == 0 ? 1 : 0;
  }
  return TValue::Numbers(std::move(numbers));
}

TValue ApplySubscript(const TValue& List, const TValue& Index) {
  if (List.IsError()) return List;
  if (Index.IsError()) return Index;
  if (Index.Kind() != TValueKind::Number) return WrongType();
  double position = Index.AsNumbers()[0];
  if (!(position >= 1 && position <= static_cast<double>(List.Size())))
    return TValue::Error(ERR_FORMULA_SUBSCRIPT);
  auto at = static_cast<size_t>(position) - 1;
  switch (List.Kind()) {
    case TValueKind::Text:
      return TValue::Text(List.AsTexts()[at]);
    case TValueKind::Number:
      return TValue::Number(List.AsNumbers()[at]);
    default:
      return TValue::Times({List.AsTimes()[at]});
  }
}

}  // namespace notesrt
