#pragma once

#include <string>

#include "core/TestedApi.h"
#include "search/formula/Value.h"

namespace notesrt {

enum class TTokenKind {
  End,
  Name,
  Function,  // @Name; Text holds the name without the "@"
  Number,
  String,
  Time,     // [date/time]; Literal holds the value
  Keyword,  // [Name]; Text holds the name in upper case
  Select,
  Field,
  Default,
  Environment,
  Rem,
  Assign,  // :=
  Semicolon,
  OpenParen,
  CloseParen,
  OpenBracket,  // a subscript
  CloseBracket,
  Operator,
};

enum class TOperator {
  List,  // :
  Plus,
  Minus,
  Times,
  Divide,
  Equal,
  NotEqual,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  Not,
  And,
  Or,
};

// One token; Start and End are character indices into the source text.
struct TToken {
  TTokenKind Kind = TTokenKind::End;
  size_t Start = 0;
  size_t End = 0;
  std::u16string Text;
  TValue Literal;
  TOperator Op = TOperator::Plus;
  // The "*" forms (*+, *=, ...) that combine every element with every element.
  bool Permuted = false;
};

}  // namespace notesrt
