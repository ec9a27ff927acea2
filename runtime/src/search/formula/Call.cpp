#include "search/formula/Call.h"

namespace notesrt {

bool TCall::HasKinds(std::initializer_list<TValueKind> Kinds) const {
  size_t index = 0;
  for (TValueKind kind : Kinds) {
    if (index >= FArgs.size() || FArgs[index].Kind() != kind) return false;
    ++index;
  }
  return true;
}

}  // namespace notesrt
