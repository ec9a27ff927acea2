#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TFormTokenKind : uint8_t { ftEnd, ftIdent, ftString, ftInteger, ftSymbol };

struct TFormToken {
  TFormTokenKind Kind = TFormTokenKind::ftEnd;
  std::string Text;  // identifier, decoded string or the symbol character
  int64_t Integer = 0;
  int Line = 1;
};

// Raises EReadError for a malformed form, naming the form and the line.
[[noreturn]] void RaiseFormError(const std::string& FormName, int Line, const std::string& What);

// Splits a text form into tokens. A string token joins adjacent quoted parts and #nn
// character codes ('It''s'#13#10'done'); identifiers may be dotted (Font.Name).
class TFormLexer {
 public:
  TFormLexer(std::string_view Text, std::string FormName)
      : FText(Text), FFormName(std::move(FormName)) {}

  // The next token; raises EReadError on malformed input.
  TFormToken Next();

 private:
  void SkipBlanks();
  TFormToken ReadIdent();
  TFormToken ReadNumber();
  TFormToken ReadString();
  void ReadQuoted(std::string& Text);
  void ReadCharCode(std::string& Text);
  [[noreturn]] void Fail(const std::string& What) const;

  std::string_view FText;
  std::string FFormName;
  size_t FPos = 0;
  int FLine = 1;
};
