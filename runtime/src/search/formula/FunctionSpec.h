#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "search/formula/Value.h"

namespace notesrt {

class TCall;

using TFunctionBody = TValue (*)(TCall& Call);

enum TFunctionFlag : unsigned {
  // The body evaluates its own arguments, when and if it needs them (@If).
  fnLazy = 1,
  // Error arguments reach the body instead of being the result at once (@IsError).
  fnKeepErrors = 2,
  // Allowed only in a view's selection formula (@AllChildren).
  fnViewSelection = 4,
  // The first argument is a bare field name, not a value (@IsAvailable).
  fnFieldName = 8,
  // Arguments may be assignments to temporary variables (@Do, @For).
  fnStatements = 16,
};

// One @function: its name in upper case, how many arguments it takes (CountAllowed, when set,
// narrows MinArgs..MaxArgs further), and which argument (if any) is a [keyword] from a fixed
// set.
struct TFunctionSpec {
  std::u16string_view Name;
  uint8_t MinArgs;
  uint8_t MaxArgs;
  unsigned Flags;
  TFunctionBody Body;
  int KeywordArg = -1;
  std::span<const std::u16string_view> Keywords{};
  bool (*CountAllowed)(size_t Count) = nullptr;
};

}  // namespace notesrt
