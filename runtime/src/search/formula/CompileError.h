#pragma once

#include <exception>

#include "notesapi/global.h"

namespace notesrt {

// Raised by the lexer and parser: a compile error and the characters it is about.
class EFormulaCompile : public std::exception {
 public:
  EFormulaCompile(STATUS Status, size_t Start, size_t End)
      : FStatus(Status), FStart(Start), FEnd(End) {}
  const char* what() const noexcept override { return "Formula compile error"; }
  STATUS Status() const { return FStatus; }
  // Character indices into the formula's source text.
  size_t Start() const { return FStart; }
  size_t End() const { return FEnd; }

 private:
  STATUS FStatus;
  size_t FStart;
  size_t FEnd;
};

}  // namespace notesrt
