#pragma once

#include "search/formula/Collation.h"
#include "search/formula/Node.h"
#include "search/formula/Value.h"

namespace notesrt {

// The formula operators over list values. An error operand is the result (the left one first);
// operands of types the operator does not take give ERR_FORMULA_WRONG_TYPE.

TValue ApplyBinary(const TChainOp& Op, const TValue& Left, const TValue& Right,
                   TCollation& Collation);
// Plus, Minus or Not, element by element.
TValue ApplyUnary(TOperator Op, const TValue& Operand);
// 1-based; ERR_FORMULA_SUBSCRIPT outside the list.
TValue ApplySubscript(const TValue& List, const TValue& Index);

}  // namespace notesrt
