#pragma once

#include "core/TestedApi.h"
#include "notesapi/global.h"

namespace notesrt {

// Anything a Notes handle names (a memory block, an ID table, later databases and notes). The
// handle table owns it from the moment a handle is handed out until the handle is freed.
// Each concrete class names its handle kind (NOTESRT_HANDLE_xxx) as KindId.
class NOTESRT_TESTED THandleObject {
 public:
  virtual ~THandleObject() = default;
  virtual WORD Kind() const = 0;
};

}  // namespace notesrt
