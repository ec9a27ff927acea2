#include "search/formula/Parser.h"

#include <algorithm>

#include "notesapi/nsfsearc.h"
#include "search/formula/CompileError.h"
#include "search/formula/FormulaText.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/TextTools.h"

namespace notesrt {

namespace {

// Far deeper than any formula a person writes; shallow enough for the stack of every stage.
constexpr unsigned MaxDepth = 200;

bool IsLogical(TOperator Op) {
  return Op == TOperator::And || Op == TOperator::Or;
}

bool IsComparison(TOperator Op) {
  return Op >= TOperator::Equal && Op <= TOperator::GreaterEqual;
}

bool IsAdditive(TOperator Op) {
  return Op == TOperator::Plus || Op == TOperator::Minus;
}

bool IsMultiplicative(TOperator Op) {
  return Op == TOperator::Times || Op == TOperator::Divide;
}

bool IsList(TOperator Op) {
  return Op == TOperator::List;
}

// Whether a token can begin an expression: after a complete statement it means that the
// semicolon between the two is missing.
bool StartsExpression(const TToken& Token) {
  switch (Token.Kind) {
    case TTokenKind::Name:
    case TTokenKind::Function:
    case TTokenKind::Number:
    case TTokenKind::String:
    case TTokenKind::Time:
    case TTokenKind::Keyword:
    case TTokenKind::OpenParen:
    case TTokenKind::Select:
    case TTokenKind::Field:
    case TTokenKind::Default:
    case TTokenKind::Rem:
      return true;
    case TTokenKind::Operator:
      return Token.Op == TOperator::Plus || Token.Op == TOperator::Minus ||
             Token.Op == TOperator::Not;
    default:
      return false;
  }
}

std::unique_ptr<TNode> LiteralNode(TValue Value) {
  auto node = std::make_unique<TNode>(TNodeKind::Literal);
  node->Literal = std::move(Value);
  return node;
}

}  // namespace

TParser::TDepthGuard::TDepthGuard(TParser& Parser) : FParser(Parser) {
  if (++FParser.FDepth > MaxDepth) {
    --FParser.FDepth;
    FParser.Fail(ERR_FORMULA_TOO_DEEP);
  }
}

TParser::TParser(const std::u16string& Text, bool ViewSelection)
    : FLexer(Text), FViewSelection(ViewSelection) {
  Advance();
}

TProgram TParser::Parse() {
  while (true) {
    std::optional<TStatement> statement = ParseStatement();
    if (statement) FProgram.Statements.push_back(std::move(*statement));
    if (FToken.Kind == TTokenKind::End) break;
    Advance();
  }
  if (FProgram.Statements.empty()) throw EFormulaCompile(ERR_FORMULA_EMPTY, 0, 0);
  FProgram.SlotCount = FSlots.size();
  return std::move(FProgram);
}

void TParser::Advance() {
  if (FNext) {
    FToken = std::move(*FNext);
    FNext.reset();
  } else {
    FToken = FLexer.Next();
  }
}

const TToken& TParser::Peek() {
  if (!FNext) FNext = FLexer.Next();
  return *FNext;
}

bool TParser::IsOperator(TOperator Op) const {
  return FToken.Kind == TTokenKind::Operator && FToken.Op == Op && !FToken.Permuted;
}

void TParser::Fail(STATUS Status) const {
  throw EFormulaCompile(Status, FToken.Start, FToken.End);
}

void TParser::Expect(TTokenKind Kind, STATUS Status) {
  if (FToken.Kind != Kind) Fail(Status);
  Advance();
}

std::optional<TStatement> TParser::ParseStatement() {
  switch (FToken.Kind) {
    case TTokenKind::Semicolon:
    case TTokenKind::End:
      return std::nullopt;
    case TTokenKind::Rem:
      Advance();
      Expect(TTokenKind::String, ERR_FORMULA_MISSING_OPERAND);
      EndStatement();
      return std::nullopt;
    case TTokenKind::Environment:
      Fail(ERR_FORMULA_UNSUPPORTED_FUNCTION);
    case TTokenKind::Field:
    case TTokenKind::Default: {
      TStatementKind kind =
          FToken.Kind == TTokenKind::Field ? TStatementKind::FieldAssign : TStatementKind::Default;
      Advance();
      if (FToken.Kind != TTokenKind::Name) Fail(ERR_FORMULA_NAME_EXPECTED);
      return ParseAssignment(kind);
    }
    case TTokenKind::Name:
      if (Peek().Kind == TTokenKind::Assign) return ParseAssignment(TStatementKind::Assign);
      break;
    default:
      break;
  }
  TStatement statement;
  if (FToken.Kind == TTokenKind::Select) {
    statement.Kind = TStatementKind::Select;
    Advance();
  }
  statement.Expression = ParseExpression();
  EndStatement();
  return statement;
}

// At the name of "name := expression".
TStatement TParser::ParseAssignment(TStatementKind Kind) {
  TStatement statement;
  statement.Kind = Kind;
  std::u16string key = AsciiUpper(FToken.Text);
  statement.Name = LmbcsOf(FToken.Text);
  Advance();
  Expect(TTokenKind::Assign, ERR_FORMULA_UNEXPECTED);
  // The right side still sees the names as they were before this statement.
  statement.Expression = ParseExpression();
  EndStatement();
  Bind(statement, key);
  if (Kind != TStatementKind::FieldAssign) statement.Slot = SlotFor(key);
  return statement;
}

void TParser::EndStatement() {
  if (FToken.Kind == TTokenKind::Semicolon || FToken.Kind == TTokenKind::End) return;
  Fail(StartsExpression(FToken) ? ERR_FORMULA_MISSING_SEMICOLON : ERR_FORMULA_UNEXPECTED);
}

void TParser::Bind(const TStatement& Statement, const std::u16string& Key) {
  switch (Statement.Kind) {
    case TStatementKind::Assign:
      FVariables[Key] = SlotFor(Key);
      break;
    case TStatementKind::FieldAssign:
      FVariables.erase(Key);
      break;
    case TStatementKind::Default:
      FDefaults[Key] = SlotFor(Key);
      break;
    default:
      break;
  }
}

size_t TParser::SlotFor(const std::u16string& Key) {
  return FSlots.try_emplace(Key, FSlots.size()).first->second;
}

TParser::TNodePtr TParser::ParseExpression() {
  TDepthGuard guard(*this);
  return ParseChain(&TParser::ParseNot, IsLogical);
}

TParser::TNodePtr TParser::ParseNot() {
  if (!IsOperator(TOperator::Not)) return ParseComparison();
  TDepthGuard guard(*this);
  Advance();
  auto node = std::make_unique<TNode>(TNodeKind::Unary);
  node->Op = TOperator::Not;
  node->Children.push_back(ParseNot());
  return node;
}

TParser::TNodePtr TParser::ParseComparison() {
  return ParseChain(&TParser::ParseAdditive, IsComparison);
}

TParser::TNodePtr TParser::ParseAdditive() {
  return ParseChain(&TParser::ParseMultiplicative, IsAdditive);
}

TParser::TNodePtr TParser::ParseMultiplicative() {
  return ParseChain(&TParser::ParseUnary, IsMultiplicative);
}

TParser::TNodePtr TParser::ParseUnary() {
  if (!IsOperator(TOperator::Plus) && !IsOperator(TOperator::Minus)) return ParseList();
  return ParseSign(&TParser::ParseUnary);
}

TParser::TNodePtr TParser::ParseList() {
  return ParseChain(&TParser::ParseListOperand, IsList);
}

// A sign right before an element belongs to that element: 1:-2 is 1 and -2. A sign before the
// first element still applies to the whole list (-1:2 is -1:-2), as unary operators bind less
// tightly than ":".
TParser::TNodePtr TParser::ParseListOperand() {
  if (!IsOperator(TOperator::Plus) && !IsOperator(TOperator::Minus)) return ParsePostfix();
  return ParseSign(&TParser::ParseListOperand);
}

// At a "+" or "-": the sign applied to what Operand parses after it.
TParser::TNodePtr TParser::ParseSign(TOperand Operand) {
  TDepthGuard guard(*this);
  auto node = std::make_unique<TNode>(TNodeKind::Unary);
  node->Op = FToken.Op;
  Advance();
  node->Children.push_back((this->*Operand)());
  return node;
}

// Operators of one level, kept flat so that a long run of them nests nothing.
TParser::TNodePtr TParser::ParseChain(TOperand Operand, bool (*Accepts)(TOperator)) {
  TNodePtr first = (this->*Operand)();
  if (FToken.Kind != TTokenKind::Operator || !Accepts(FToken.Op)) return first;
  auto chain = std::make_unique<TNode>(TNodeKind::Chain);
  chain->Children.push_back(std::move(first));
  while (FToken.Kind == TTokenKind::Operator && Accepts(FToken.Op)) {
    chain->Ops.push_back(TChainOp{FToken.Op, FToken.Permuted});
    Advance();
    chain->Children.push_back((this->*Operand)());
  }
  return chain;
}

TParser::TNodePtr TParser::ParsePostfix() {
  TNodePtr node = ParsePrimary();
  while (FToken.Kind == TTokenKind::OpenBracket) {
    Advance();
    auto subscript = std::make_unique<TNode>(TNodeKind::Subscript);
    subscript->Children.push_back(std::move(node));
    subscript->Children.push_back(ParseExpression());
    Expect(TTokenKind::CloseBracket, ERR_FORMULA_MISSING_BRACKET);
    node = std::move(subscript);
  }
  return node;
}

TParser::TNodePtr TParser::ParsePrimary() {
  switch (FToken.Kind) {
    case TTokenKind::Number:
    case TTokenKind::String:
    case TTokenKind::Time: {
      TNodePtr node = LiteralNode(std::move(FToken.Literal));
      Advance();
      return node;
    }
    case TTokenKind::Name:
      return ParseName();
    case TTokenKind::Function:
      return ParseFunction();
    case TTokenKind::OpenParen: {
      Advance();
      TNodePtr node = ParseExpression();
      Expect(TTokenKind::CloseParen, ERR_FORMULA_MISSING_PAREN);
      return node;
    }
    case TTokenKind::Keyword:
      Fail(ERR_FORMULA_KEYWORD_PLACE);
    default:
      Fail(ERR_FORMULA_MISSING_OPERAND);
  }
}

TParser::TNodePtr TParser::ParseName() {
  std::u16string key = AsciiUpper(FToken.Text);
  TNodePtr node;
  if (auto variable = FVariables.find(key); variable != FVariables.end()) {
    node = std::make_unique<TNode>(TNodeKind::Variable);
    node->Slot = variable->second;
  } else if (auto defaulted = FDefaults.find(key); defaulted != FDefaults.end()) {
    node = std::make_unique<TNode>(TNodeKind::DefaultedField);
    node->Slot = defaulted->second;
  } else {
    node = std::make_unique<TNode>(TNodeKind::Field);
  }
  node->Name = LmbcsOf(FToken.Text);
  Advance();
  return node;
}

TParser::TNodePtr TParser::ParseFunction() {
  std::u16string name = AsciiUpper(FToken.Text);
  const TFunctionSpec* spec = FindFunction(name);
  if (!spec)
    Fail(IsUnsupportedFunction(name) ? ERR_FORMULA_UNSUPPORTED_FUNCTION
                                     : ERR_FORMULA_UNKNOWN_FUNCTION);
  if ((spec->Flags & fnViewSelection) && !FViewSelection) Fail(ERR_FORMULA_VIEW_ONLY);
  TDepthGuard guard(*this);
  TToken functionToken = FToken;
  auto node = std::make_unique<TNode>(TNodeKind::Function);
  node->Function = spec;
  Advance();
  if (FToken.Kind == TTokenKind::OpenParen) {
    Advance();
    if (FToken.Kind != TTokenKind::CloseParen) ParseArguments(*node);
    Expect(TTokenKind::CloseParen, ERR_FORMULA_MISSING_PAREN);
  }
  size_t count = node->Children.size();
  if (count < spec->MinArgs || count > spec->MaxArgs ||
      (spec->CountAllowed && !spec->CountAllowed(count)))
    throw EFormulaCompile(ERR_FORMULA_ARGUMENT_COUNT, functionToken.Start, functionToken.End);
  FProgram.UsesAllChildren |= name == u"ALLCHILDREN";
  FProgram.UsesAllDescendants |= name == u"ALLDESCENDANTS";
  return node;
}

void TParser::ParseArguments(TNode& Function) {
  Function.Children.push_back(ParseArgument(*Function.Function, 0));
  while (FToken.Kind == TTokenKind::Semicolon) {
    Advance();
    Function.Children.push_back(ParseArgument(*Function.Function, Function.Children.size()));
  }
}

TParser::TNodePtr TParser::ParseArgument(const TFunctionSpec& Spec, size_t Index) {
  if (static_cast<int>(Index) == Spec.KeywordArg) {
    if (FToken.Kind != TTokenKind::Keyword ||
        std::find(Spec.Keywords.begin(), Spec.Keywords.end(), FToken.Text) == Spec.Keywords.end())
      Fail(ERR_FORMULA_UNKNOWN_KEYWORD);
    TNodePtr node = LiteralNode(TValue::Text(FToken.Text));
    Advance();
    return node;
  }
  if (Index == 0 && (Spec.Flags & fnFieldName)) {
    if (FToken.Kind != TTokenKind::Name) Fail(ERR_FORMULA_NAME_EXPECTED);
    auto node = std::make_unique<TNode>(TNodeKind::Field);
    node->Name = LmbcsOf(FToken.Text);
    Advance();
    return node;
  }
  if ((Spec.Flags & fnStatements) && FToken.Kind == TTokenKind::Name &&
      Peek().Kind == TTokenKind::Assign)
    return ParseAssignmentArgument();
  TNodePtr node = ParseExpression();
  // "x := 1" where only a value may stand.
  if (FToken.Kind == TTokenKind::Assign) Fail(ERR_FORMULA_UNEXPECTED);
  return node;
}

// At the name of "name := expression": as after the statement, the name is a temporary
// variable from here on.
TParser::TNodePtr TParser::ParseAssignmentArgument() {
  std::u16string key = AsciiUpper(FToken.Text);
  Advance();
  Advance();
  auto node = std::make_unique<TNode>(TNodeKind::Assign);
  node->Children.push_back(ParseExpression());
  node->Slot = FVariables[key] = SlotFor(key);
  return node;
}

}  // namespace notesrt
