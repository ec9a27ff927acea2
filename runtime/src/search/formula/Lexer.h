#pragma once

#include <string>

#include "search/formula/Token.h"

namespace notesrt {

// Splits a formula into tokens. Raises EFormulaCompile for text that is no token.
class TLexer {
 public:
  explicit TLexer(const std::u16string& Text) : FText(Text) {}

  TToken Next();

 private:
  char16_t At(size_t Index) const { return Index < FText.size() ? FText[Index] : u'\0'; }
  bool StartsWith(std::u16string_view Prefix) const;
  void SkipBlanks();
  TToken Scan();
  TToken Make(TTokenKind Kind, size_t Start);
  TToken ScanName(size_t Start, bool Function);
  TToken ScanNumber(size_t Start);
  TToken ScanQuoted(size_t Start);
  TToken ScanBraced(size_t Start);
  TToken ScanBracketed(size_t Start);
  bool ScanOperator(TToken& Token);
  [[noreturn]] void Fail(STATUS Status, size_t Start, size_t End) const;

  const std::u16string& FText;
  size_t FPos = 0;
  // After a value, "[" opens a subscript rather than a date or a keyword.
  bool FAfterValue = false;
};

}  // namespace notesrt
