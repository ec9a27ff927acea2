#pragma once

#include "core/HandleObject.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// What FTOpenSearch hands out. A search keeps no state between FTSearch calls: the index is
// current at every call, so the handle only has to exist (and be counted and freed).
class TFullTextSearchHandle : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_SEARCH;
  WORD Kind() const override { return KindId; }
};

}  // namespace notesrt
