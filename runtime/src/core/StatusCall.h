#pragma once

#include <new>

#include "core/EStatus.h"
#include "notesapi/notesrterr.h"
#include "notesapi/oserr.h"

namespace notesrt {

// Runs Body, which gives a status, and turns whatever it raises into one: nothing may escape
// across the C boundary of the runtime or of a filter library.
template <class TBody>
STATUS StatusCall(TBody&& Body) noexcept {
  try {
    return Body();
  } catch (const EStatus& e) {
    return e.Status();
  } catch (const std::bad_alloc&) {
    return ERR_MEMORY;
  } catch (...) {
    return ERR_NOTESRT_INTERNAL;
  }
}

}  // namespace notesrt
