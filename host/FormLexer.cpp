#include "FormLexer.h"

#include <cctype>
#include <charconv>

#include "Classes.h"

namespace {

bool IsIdentStart(char C) {
  return std::isalpha(static_cast<unsigned char>(C)) || C == '_';
}

bool IsIdentChar(char C) {
  return std::isalnum(static_cast<unsigned char>(C)) || C == '_' || C == '.';
}

bool IsDigit(char C) {
  return std::isdigit(static_cast<unsigned char>(C));
}

void AppendUtf8(std::string& Text, uint32_t Code) {
  if (Code < 0x80) {
    Text += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Text += static_cast<char>(0xC0 | (Code >> 6));
    Text += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Text += static_cast<char>(0xE0 | (Code >> 12));
    Text += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Text += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Text += static_cast<char>(0xF0 | (Code >> 18));
    Text += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Text += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Text += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

}  // namespace

TFormToken TFormLexer::Next() {
  SkipBlanks();
  if (FPos >= FText.size()) return {TFormTokenKind::ftEnd, "", 0, FLine};
  char C = FText[FPos];
  if (IsIdentStart(C)) return ReadIdent();
  if (IsDigit(C) || C == '$' ||
      ((C == '-' || C == '+') && FPos + 1 < FText.size() &&
       (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$')))
    return ReadNumber();
  if (C == '\'' || C == '#') return ReadString();
  ++FPos;
  return {TFormTokenKind::ftSymbol, std::string(1, C), 0, FLine};
}

void TFormLexer::SkipBlanks() {
  while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }
}

TFormToken TFormLexer::ReadIdent() {
  size_t Start = FPos;
  while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
  return {TFormTokenKind::ftIdent, std::string(FText.substr(Start, FPos - Start)), 0, FLine};
}

TFormToken TFormLexer::ReadNumber() {
  bool Negative = FText[FPos] == '-';
  if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
  int Base = 10;
  if (FPos < FText.size() && FText[FPos] == '$') {
    Base = 16;
    ++FPos;
  }
  size_t Start = FPos;
  // A number runs on over letters and points, so that "1.5" or "12px" is refused whole.
  while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
  uint64_t Magnitude = 0;
  auto [End, Error] = std::from_chars(FText.data() + Start, FText.data() + FPos, Magnitude, Base);
  if (Start == FPos || Error != std::errc() || End != FText.data() + FPos ||
      Magnitude > static_cast<uint64_t>(INT64_MAX))
    Fail("Invalid number");
  int64_t Value = static_cast<int64_t>(Magnitude);
  return {TFormTokenKind::ftInteger, "", Negative ? -Value : Value, FLine};
}

TFormToken TFormLexer::ReadString() {
  TFormToken Token{TFormTokenKind::ftString, "", 0, FLine};
  while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
    if (FText[FPos] == '\'')
      ReadQuoted(Token.Text);
    else
      ReadCharCode(Token.Text);
  }
  return Token;
}

void TFormLexer::ReadQuoted(std::string& Text) {
  for (++FPos; FPos < FText.size(); ++FPos) {
    char C = FText[FPos];
    if (C == '\n') break;
    if (C != '\'') {
      Text += C;
    } else if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
      Text += '\'';
      ++FPos;
    } else {
      ++FPos;
      return;
    }
  }
  Fail("Unterminated string");
}

void TFormLexer::ReadCharCode(std::string& Text) {
  size_t Start = ++FPos;
  while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
  uint32_t Code = 0;
  auto [End, Error] = std::from_chars(FText.data() + Start, FText.data() + FPos, Code);
  bool Surrogate = Code >= 0xD800 && Code <= 0xDFFF;
  if (Start == FPos || Error != std::errc() || Code > 0x10FFFF || Surrogate)
    Fail("Invalid character code");
  AppendUtf8(Text, Code);
}

void TFormLexer::Fail(const std::string& What) const {
  RaiseFormError(FFormName, FLine, What);
}

void RaiseFormError(const std::string& FormName, int Line, const std::string& What) {
  throw EReadError("Error reading form " + FormName + ", line " + std::to_string(Line) + ": " +
                   What);
}
