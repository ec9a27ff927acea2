// Type tests and errors.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"

namespace notesrt {

namespace {

TValue IsText(TCall& Call) {
  return TValue::Boolean(Call.Arg(0).Kind() == TValueKind::Text);
}

TValue IsNumber(TCall& Call) {
  return TValue::Boolean(Call.Arg(0).Kind() == TValueKind::Number);
}

TValue IsTime(TCall& Call) {
  return TValue::Boolean(Call.Arg(0).Kind() == TValueKind::Time);
}

TValue IsNull(TCall& Call) {
  return TValue::Boolean(Call.Arg(0).IsNull());
}

TValue IsError(TCall& Call) {
  return TValue::Boolean(Call.Arg(0).IsError());
}

TValue Error(TCall&) {
  return TValue::Error(ERR_FORMULA_USER_ERROR);
}

constexpr std::array Specs{
    TFunctionSpec{u"ISTEXT", 1, 1, 0, IsText},
    TFunctionSpec{u"ISNUMBER", 1, 1, 0, IsNumber},
    TFunctionSpec{u"ISTIME", 1, 1, 0, IsTime},
    TFunctionSpec{u"ISNULL", 1, 1, 0, IsNull},
    TFunctionSpec{u"ISERROR", 1, 1, fnKeepErrors, IsError},
    TFunctionSpec{u"ERROR", 0, 0, 0, Error},
};

}  // namespace

std::span<const TFunctionSpec> TypeFunctions() {
  return Specs;
}

}  // namespace notesrt
