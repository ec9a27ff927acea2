#pragma once

#include <new>

#include "core/ApiLock.h"
#include "core/EStatus.h"
#include "core/StatusCall.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"

namespace notesrt {

// Stores a result the caller may not have asked for (a null out-pointer).
template <class T>
void PutOptional(T* Out, T Value) {
  if (Out) *Out = Value;
}

// Runs the body of one exported function under the API lock. Nothing may escape across the C
// boundary, so every exception becomes a status here.
template <class TBody>
STATUS ApiStatusCall(TBody&& Body) noexcept {
  return StatusCall([&]() -> STATUS {
    TApiLock lock;
    return Body();
  });
}

// The same for functions whose published result is a value: a failure gives OnFailure.
template <class TResult, class TBody>
TResult ApiValueCall(TResult OnFailure, TBody&& Body) noexcept {
  try {
    TApiLock lock;
    return Body();
  } catch (...) {
    return OnFailure;
  }
}

// The same for functions that return nothing.
template <class TBody>
void ApiVoidCall(TBody&& Body) noexcept {
  try {
    TApiLock lock;
    Body();
  } catch (...) {
  }
}

}  // namespace notesrt
