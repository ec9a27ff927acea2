#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "search/formula/Lexer.h"
#include "search/formula/Node.h"

namespace notesrt {

// Turns a formula's text into a program. Raises EFormulaCompile at the first error. Names are
// resolved here: a name is a temporary variable from the statement that assigns it on, a
// DEFAULT-ed field from its DEFAULT statement on, and otherwise a field of the note.
class TParser {
 public:
  TParser(const std::u16string& Text, bool ViewSelection);

  TProgram Parse();

 private:
  using TNodePtr = std::unique_ptr<TNode>;
  using TOperand = TNodePtr (TParser::*)();

  // Counts nesting on the way down, so that a deep formula fails to compile instead of
  // exhausting the stack when it is parsed, run or freed.
  class TDepthGuard {
   public:
    explicit TDepthGuard(TParser& Parser);
    ~TDepthGuard() { --FParser.FDepth; }

   private:
    TParser& FParser;
  };

  void Advance();
  const TToken& Peek();
  bool IsOperator(TOperator Op) const;
  [[noreturn]] void Fail(STATUS Status) const;
  void Expect(TTokenKind Kind, STATUS Status);

  std::optional<TStatement> ParseStatement();
  TStatement ParseAssignment(TStatementKind Kind);
  void EndStatement();
  TNodePtr ParseExpression();
  TNodePtr ParseNot();
  TNodePtr ParseComparison();
  TNodePtr ParseAdditive();
  TNodePtr ParseMultiplicative();
  TNodePtr ParseUnary();
  TNodePtr ParseList();
  TNodePtr ParseListOperand();
  TNodePtr ParseSign(TOperand Operand);
  TNodePtr ParseChain(TOperand Operand, bool (*Accepts)(TOperator));
  TNodePtr ParsePostfix();
  TNodePtr ParsePrimary();
  TNodePtr ParseName();
  TNodePtr ParseFunction();
  void ParseArguments(TNode& Function);
  TNodePtr ParseArgument(const TFunctionSpec& Spec, size_t Index);
  TNodePtr ParseAssignmentArgument();
  void Bind(const TStatement& Statement, const std::u16string& Key);
  size_t SlotFor(const std::u16string& Key);

  TLexer FLexer;
  TToken FToken;
  std::optional<TToken> FNext;
  bool FViewSelection;
  unsigned FDepth = 0;
  TProgram FProgram;
  // By upper-case name.
  std::map<std::u16string, size_t> FVariables;
  std::map<std::u16string, size_t> FDefaults;
  std::map<std::u16string, size_t> FSlots;
};

}  // namespace notesrt
