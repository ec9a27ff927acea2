#include "fulltext/FullTextParser.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <utility>
#include <vector>

#include "core/EStatus.h"
#include "fulltext/FullTextFields.h"
#include "notesapi/fterr.h"

namespace notesrt {

namespace {

using EKind = TFullTextNode::EKind;

constexpr unsigned MaxDepth = 100;

// The characters the unicode61 tokenizer keeps in words: letters, digits, private use.
bool IsWordCharacter(UChar32 Character) {
  uint32_t mask = U_GET_GC_MASK(Character);
  return (mask & (U_GC_L_MASK | U_GC_N_MASK | U_GC_CO_MASK)) != 0;
}

bool HasWordCharacter(std::string_view Text) {
  auto data = reinterpret_cast<const uint8_t*>(Text.data());
  auto length = static_cast<int32_t>(Text.size());
  for (int32_t offset = 0; offset < length;) {
    UChar32 character;
    U8_NEXT(data, offset, length, character);
    if (character >= 0 && IsWordCharacter(character)) return true;
  }
  return false;
}

std::optional<TFullTextNode> Combine(EKind Kind, std::vector<TFullTextNode> Operands) {
  if (Operands.empty()) return std::nullopt;
  if (Operands.size() == 1) return std::move(Operands.front());
  TFullTextNode node;
  node.Kind = Kind;
  for (TFullTextNode& operand : Operands) {
    if (operand.Kind != Kind) {
      node.Children.push_back(std::move(operand));
      continue;
    }
    for (TFullTextNode& child : operand.Children) node.Children.push_back(std::move(child));
  }
  return node;
}

void AddOperand(std::vector<TFullTextNode>& Operands, std::optional<TFullTextNode> Operand) {
  if (Operand) Operands.push_back(std::move(*Operand));
}

}  // namespace

TFullTextParser::TNesting::TNesting(TFullTextParser& Parser) : FParser(Parser) {
  if (++FParser.FDepth > MaxDepth) {
    --FParser.FDepth;
    throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  }
}

TFullTextNode TFullTextParser::Parse(std::string_view Utf8Query) {
  TFullTextParser parser(Utf8Query);
  parser.FLexer.Next();
  if (parser.FLexer.Token() == EToken::End) throw EStatus(ERR_NOTESRT_FT_NO_WORDS);
  TResult query = parser.ParseOr();
  if (parser.FLexer.Token() != EToken::End) throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  if (!query) throw EStatus(ERR_NOTESRT_FT_NO_WORDS);
  return std::move(*query);
}

TFullTextParser::TResult TFullTextParser::ParseOr() {
  std::vector<TFullTextNode> operands;
  AddOperand(operands, ParseAnd());
  while (FLexer.Token() == EToken::Or) {
    FLexer.Next();
    AddOperand(operands, ParseAnd());
  }
  return Combine(EKind::Or, std::move(operands));
}

// Words side by side must all occur, as with AND.
TFullTextParser::TResult TFullTextParser::ParseAnd() {
  std::vector<TFullTextNode> operands;
  AddOperand(operands, ParseUnary());
  while (FLexer.Token() == EToken::And || StartsOperand()) {
    if (FLexer.Token() == EToken::And) FLexer.Next();
    AddOperand(operands, ParseUnary());
  }
  return Combine(EKind::And, std::move(operands));
}

TFullTextParser::TResult TFullTextParser::ParseUnary() {
  TNesting nesting(*this);
  if (FLexer.Token() != EToken::Not) return ParsePrimary();
  FLexer.Next();
  TResult operand = ParseUnary();
  if (!operand) return std::nullopt;
  TFullTextNode node;
  node.Kind = EKind::Not;
  node.Children.push_back(std::move(*operand));
  return node;
}

TFullTextParser::TResult TFullTextParser::ParsePrimary() {
  TNesting nesting(*this);
  switch (FLexer.Token()) {
    case EToken::Open:
      return ParseGroup();
    case EToken::Word:
    case EToken::Phrase:
      return TakeTerm();
    case EToken::FieldName: {
      std::string name = FLexer.Text();
      FLexer.Next();
      return ParseContains(name);
    }
    case EToken::Field: {
      FLexer.Next();
      if (FLexer.Token() != EToken::Word || FLexer.Prefix()) throw EStatus(ERR_NOTESRT_FT_SYNTAX);
      std::string name = FLexer.Text();
      FLexer.Next();
      return ParseContains(name);
    }
    default:
      throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  }
}

TFullTextParser::TResult TFullTextParser::ParseGroup() {
  FLexer.Next();
  TResult group = ParseOr();
  Expect(EToken::Close);
  return group;
}

// The field applies to every word of what follows CONTAINS, a parenthesised group included.
TFullTextParser::TResult TFullTextParser::ParseContains(const std::string& FieldName) {
  std::string key = FullTextFieldKey(FieldName);
  key.erase(0, key.find_first_not_of(' '));
  key.erase(key.find_last_not_of(' ') + 1);
  if (key.empty()) throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  Expect(EToken::Contains);
  std::string outer = std::exchange(FFieldKey, key);
  TResult operand = ParsePrimary();
  FFieldKey = std::move(outer);
  return operand;
}

TFullTextParser::TResult TFullTextParser::TakeTerm() {
  TResult term;
  if (HasWordCharacter(FLexer.Text())) {
    term.emplace();
    term->Text = FLexer.Text();
    term->Prefix = FLexer.Prefix();
    term->FieldKey = FFieldKey;
  }
  FLexer.Next();
  return term;
}

bool TFullTextParser::StartsOperand() const {
  switch (FLexer.Token()) {
    case EToken::Open:
    case EToken::Not:
    case EToken::Field:
    case EToken::FieldName:
    case EToken::Phrase:
    case EToken::Word:
      return true;
    default:
      return false;
  }
}

void TFullTextParser::Expect(EToken Token) {
  if (FLexer.Token() != Token) throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  FLexer.Next();
}

}  // namespace notesrt
