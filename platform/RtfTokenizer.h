#pragma once

#include <string_view>

#include "RtfToken.h"

// Splits RTF into tokens. Any input is read as far as it goes: a cut escape or parameter ends
// where the input ends, a parameter too large for 32 bits is clamped, and \binN takes at most
// the bytes that are there (the word's parameter then says how many it took). The tokenizer never
// reads past the input and never fails.
class TRtfTokenizer {
 public:
  explicit TRtfTokenizer(std::string_view Input) : FInput(Input) {}

  // The next token; false at the end of the input.
  bool Next(TRtfToken& Token);
  size_t Position() const { return FPos; }

 private:
  void ReadControl(TRtfToken& Token);
  void ReadWord(TRtfToken& Token);
  void ReadParam(TRtfToken& Token);
  void ReadText(TRtfToken& Token);

  std::string_view FInput;
  size_t FPos = 0;
  // Set by \binN: its data is the next token.
  bool FBinaryNext = false;
  size_t FBinaryLength = 0;
};
