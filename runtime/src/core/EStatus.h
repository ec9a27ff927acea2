#pragma once

#include <exception>

#include "notesapi/global.h"

namespace notesrt {

// Raised inside the runtime to abandon a call with a Notes status; the C boundary returns it.
class EStatus : public std::exception {
 public:
  explicit EStatus(STATUS Status) : FStatus(Status) {}
  STATUS Status() const { return FStatus; }
  const char* what() const noexcept override { return "Notes status"; }

 private:
  STATUS FStatus;
};

}  // namespace notesrt
