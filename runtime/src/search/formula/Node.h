#pragma once

#include <memory>
#include <string>
#include <vector>

#include "search/formula/Token.h"
#include "search/formula/Value.h"

namespace notesrt {

struct TFunctionSpec;

enum class TNodeKind {
  Literal,
  Variable,        // a temporary variable, by slot
  Field,           // an item of the note, by name
  DefaultedField,  // an item, or the DEFAULT value in Slot when the note lacks it
  Function,
  Unary,      // Op is Plus, Minus or Not
  Chain,      // Children[0] Ops[0] Children[1] Ops[1] ..., left to right
  Subscript,  // Children[0][Children[1]]
  Assign,     // the temporary variable in Slot := Children[0], as an argument of a statement
};

struct TChainOp {
  TOperator Op;
  bool Permuted;
};

// One node of a parsed formula. Names are kept in LMBCS, as the note's items have them.
struct TNode {
  explicit TNode(TNodeKind Kind) : Kind(Kind) {}

  TNodeKind Kind;
  TValue Literal;
  std::string Name;
  size_t Slot = 0;
  const TFunctionSpec* Function = nullptr;
  TOperator Op = TOperator::Plus;
  std::vector<TChainOp> Ops;
  std::vector<std::unique_ptr<TNode>> Children;
};

enum class TStatementKind { Expression, Assign, FieldAssign, Default, Select };

struct TStatement {
  TStatementKind Kind = TStatementKind::Expression;
  std::string Name;
  size_t Slot = 0;
  std::unique_ptr<TNode> Expression;
};

// A parsed formula, ready to run.
struct TProgram {
  std::vector<TStatement> Statements;
  size_t SlotCount = 0;
  bool UsesAllChildren = false;
  bool UsesAllDescendants = false;
};

}  // namespace notesrt
