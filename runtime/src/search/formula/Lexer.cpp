#include "search/formula/Lexer.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <array>

#include "notesapi/nsfsearc.h"
#include "search/formula/CompileError.h"
#include "search/formula/NumberText.h"
#include "search/formula/TextTools.h"
#include "search/formula/TimeText.h"

namespace notesrt {

namespace {

struct TOperatorSpelling {
  std::u16string_view Text;
  TTokenKind Kind;
  TOperator Op;
  bool Permuted;
};

// Longest spellings first, so that "*<=" wins over "*<" and ":=" over ":".
constexpr std::array OperatorSpellings{
    TOperatorSpelling{u"*<>", TTokenKind::Operator, TOperator::NotEqual, true},
    TOperatorSpelling{u"*<=", TTokenKind::Operator, TOperator::LessEqual, true},
    TOperatorSpelling{u"*>=", TTokenKind::Operator, TOperator::GreaterEqual, true},
    TOperatorSpelling{u":=", TTokenKind::Assign, TOperator::Plus, false},
    TOperatorSpelling{u"*=", TTokenKind::Operator, TOperator::Equal, true},
    TOperatorSpelling{u"*<", TTokenKind::Operator, TOperator::Less, true},
    TOperatorSpelling{u"*>", TTokenKind::Operator, TOperator::Greater, true},
    TOperatorSpelling{u"*+", TTokenKind::Operator, TOperator::Plus, true},
    TOperatorSpelling{u"*-", TTokenKind::Operator, TOperator::Minus, true},
    TOperatorSpelling{u"**", TTokenKind::Operator, TOperator::Times, true},
    TOperatorSpelling{u"*/", TTokenKind::Operator, TOperator::Divide, true},
    TOperatorSpelling{u"!=", TTokenKind::Operator, TOperator::NotEqual, false},
    TOperatorSpelling{u"=!", TTokenKind::Operator, TOperator::NotEqual, false},
    TOperatorSpelling{u"<>", TTokenKind::Operator, TOperator::NotEqual, false},
    TOperatorSpelling{u"><", TTokenKind::Operator, TOperator::NotEqual, false},
    TOperatorSpelling{u"<=", TTokenKind::Operator, TOperator::LessEqual, false},
    TOperatorSpelling{u">=", TTokenKind::Operator, TOperator::GreaterEqual, false},
    TOperatorSpelling{u"=", TTokenKind::Operator, TOperator::Equal, false},
    TOperatorSpelling{u"<", TTokenKind::Operator, TOperator::Less, false},
    TOperatorSpelling{u">", TTokenKind::Operator, TOperator::Greater, false},
    TOperatorSpelling{u"!", TTokenKind::Operator, TOperator::Not, false},
    TOperatorSpelling{u"&", TTokenKind::Operator, TOperator::And, false},
    TOperatorSpelling{u"|", TTokenKind::Operator, TOperator::Or, false},
    TOperatorSpelling{u"+", TTokenKind::Operator, TOperator::Plus, false},
    TOperatorSpelling{u"-", TTokenKind::Operator, TOperator::Minus, false},
    TOperatorSpelling{u"*", TTokenKind::Operator, TOperator::Times, false},
    TOperatorSpelling{u"/", TTokenKind::Operator, TOperator::Divide, false},
    TOperatorSpelling{u":", TTokenKind::Operator, TOperator::List, false},
    TOperatorSpelling{u";", TTokenKind::Semicolon, TOperator::Plus, false},
    TOperatorSpelling{u"(", TTokenKind::OpenParen, TOperator::Plus, false},
    TOperatorSpelling{u")", TTokenKind::CloseParen, TOperator::Plus, false},
    TOperatorSpelling{u"[", TTokenKind::OpenBracket, TOperator::Plus, false},
    TOperatorSpelling{u"]", TTokenKind::CloseBracket, TOperator::Plus, false},
};

struct TReservedWord {
  std::u16string_view Text;
  TTokenKind Kind;
};

constexpr std::array ReservedWords{
    TReservedWord{u"SELECT", TTokenKind::Select},
    TReservedWord{u"FIELD", TTokenKind::Field},
    TReservedWord{u"DEFAULT", TTokenKind::Default},
    TReservedWord{u"ENVIRONMENT", TTokenKind::Environment},
    TReservedWord{u"REM", TTokenKind::Rem},
};

bool IsNameStart(char16_t c) {
  return c == u'_' || c == u'$' || u_isalpha(c);
}

bool IsNamePart(char16_t c) {
  return IsNameStart(c) || u_isdigit(c);
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool EndsValue(TTokenKind Kind) {
  switch (Kind) {
    case TTokenKind::Name:
    case TTokenKind::Function:
    case TTokenKind::Number:
    case TTokenKind::String:
    case TTokenKind::Time:
    case TTokenKind::CloseParen:
    case TTokenKind::CloseBracket:
      return true;
    default:
      return false;
  }
}

}  // namespace

TToken TLexer::Next() {
  SkipBlanks();
  TToken token = Scan();
  FAfterValue = EndsValue(token.Kind);
  return token;
}

bool TLexer::StartsWith(std::u16string_view Prefix) const {
  return std::u16string_view(FText).substr(FPos).starts_with(Prefix);
}

void TLexer::SkipBlanks() {
  while (FPos < FText.size() && u_isUWhiteSpace(FText[FPos])) ++FPos;
}

TToken TLexer::Scan() {
  size_t start = FPos;
  if (FPos >= FText.size()) return Make(TTokenKind::End, start);
  char16_t c = FText[FPos];
  if (c == u'@') {
    ++FPos;
    if (!IsNameStart(At(FPos))) Fail(ERR_FORMULA_INVALID_CHAR, start, FPos);
    return ScanName(start, true);
  }
  if (IsNameStart(c)) return ScanName(start, false);
  if (IsDigit(c) || (c == u'.' && IsDigit(At(FPos + 1)))) return ScanNumber(start);
  if (c == u'"') return ScanQuoted(start);
  if (c == u'{') return ScanBraced(start);
  if (c == u'[' && !FAfterValue) return ScanBracketed(start);
  TToken token;
  if (ScanOperator(token)) return token;
  // A surrogate pair is one character.
  size_t end = FPos + (U16_IS_LEAD(c) && U16_IS_TRAIL(At(FPos + 1)) ? 2 : 1);
  Fail(ERR_FORMULA_INVALID_CHAR, start, end);
}

TToken TLexer::Make(TTokenKind Kind, size_t Start) {
  TToken token;
  token.Kind = Kind;
  token.Start = Start;
  token.End = FPos;
  return token;
}

TToken TLexer::ScanName(size_t Start, bool Function) {
  size_t nameStart = FPos;
  while (FPos < FText.size() && IsNamePart(FText[FPos])) ++FPos;
  TToken token = Make(Function ? TTokenKind::Function : TTokenKind::Name, Start);
  token.Text = FText.substr(nameStart, FPos - nameStart);
  if (Function) return token;
  std::u16string upper = AsciiUpper(token.Text);
  for (const TReservedWord& word : ReservedWords)
    if (upper == word.Text) token.Kind = word.Kind;
  return token;
}

TToken TLexer::ScanNumber(size_t Start) {
  while (IsDigit(At(FPos))) ++FPos;
  if (At(FPos) == u'.') {
    ++FPos;
    while (IsDigit(At(FPos))) ++FPos;
  }
  if (At(FPos) == u'e' || At(FPos) == u'E') {
    size_t exponent = FPos + 1;
    if (At(exponent) == u'+' || At(exponent) == u'-') ++exponent;
    if (!IsDigit(At(exponent))) Fail(ERR_FORMULA_INVALID_NUMBER, Start, exponent);
    FPos = exponent;
    while (IsDigit(At(FPos))) ++FPos;
  }
  TToken token = Make(TTokenKind::Number, Start);
  std::optional<double> number = ParseNumberText(FText.substr(Start, FPos - Start));
  if (!number) Fail(ERR_FORMULA_INVALID_NUMBER, Start, FPos);
  token.Literal = TValue::Number(*number);
  return token;
}

// "\" makes the next character literal, so \" and \\ are a quote and a backslash.
TToken TLexer::ScanQuoted(size_t Start) {
  std::u16string text;
  for (++FPos; FPos < FText.size() && FText[FPos] != u'"'; ++FPos) {
    if (FText[FPos] == u'\\' && FPos + 1 < FText.size()) ++FPos;
    text.push_back(FText[FPos]);
  }
  if (FPos >= FText.size()) Fail(ERR_FORMULA_UNTERMINATED_STRING, Start, FText.size());
  ++FPos;
  TToken token = Make(TTokenKind::String, Start);
  token.Literal = TValue::Text(std::move(text));
  return token;
}

TToken TLexer::ScanBraced(size_t Start) {
  size_t close = FText.find(u'}', FPos + 1);
  if (close == std::u16string::npos) Fail(ERR_FORMULA_UNTERMINATED_STRING, Start, FText.size());
  FPos = close + 1;
  TToken token = Make(TTokenKind::String, Start);
  token.Literal = TValue::Text(FText.substr(Start + 1, close - Start - 1));
  return token;
}

// [Keyword] or [date and/or time].
TToken TLexer::ScanBracketed(size_t Start) {
  size_t close = FText.find(u']', FPos + 1);
  if (close == std::u16string::npos) Fail(ERR_FORMULA_UNTERMINATED_BRACKET, Start, FText.size());
  FPos = close + 1;
  std::u16string inside = TrimBlanks(FText.substr(Start + 1, close - Start - 1));
  if (!inside.empty() && IsNameStart(inside[0])) {
    for (char16_t c : inside)
      if (!IsNamePart(c)) Fail(ERR_FORMULA_UNKNOWN_KEYWORD, Start, FPos);
    TToken token = Make(TTokenKind::Keyword, Start);
    token.Text = AsciiUpper(inside);
    return token;
  }
  // A literal means the same on every machine: ISO or month/day/year, whatever the locale.
  std::optional<TTimeEntry> time = ParseTimeText(inside, TRegionalSettings());
  if (!time) Fail(ERR_FORMULA_INVALID_TIME, Start, FPos);
  TToken token = Make(TTokenKind::Time, Start);
  token.Literal = TValue::Times({*time});
  return token;
}

bool TLexer::ScanOperator(TToken& Token) {
  for (const TOperatorSpelling& spelling : OperatorSpellings) {
    if (!StartsWith(spelling.Text)) continue;
    size_t start = FPos;
    FPos += spelling.Text.size();
    Token = Make(spelling.Kind, start);
    Token.Op = spelling.Op;
    Token.Permuted = spelling.Permuted;
    return true;
  }
  return false;
}

void TLexer::Fail(STATUS Status, size_t Start, size_t End) const {
  throw EFormulaCompile(Status, Start, End);
}

}  // namespace notesrt
