#pragma once

#include "search/formula/FormulaContext.h"
#include "search/formula/Value.h"

namespace notesrt {

// Item values and formula values. Items of the types a formula cannot see (rich text,
// attachments, references) read as "", as a missing field does; a value whose bytes do not hold
// what its type says reads as ERR_FORMULA_DAMAGED_VALUE.
TValue ValueOfItem(const TItemValue& Item);

// The item layout of a value: TYPE_TEXT, TYPE_NUMBER or TYPE_TIME for one element, else
// TYPE_TEXT_LIST, TYPE_NUMBER_RANGE or TYPE_TIME_RANGE (any range makes a time a range list).
// An error value gives its status, a value whose layout with the type word would pass 65,535
// bytes ERR_FORMULA_RESULT_TOO_BIG.
STATUS ItemOfValue(const TValue& Value, TItemValue& Item);

}  // namespace notesrt
