#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "search/formula/Evaluation.h"
#include "search/formula/Node.h"

namespace notesrt {

// One call of an @function as its body sees it: the arguments (already evaluated, unless the
// function is lazy) and the evaluation it runs in.
class TCall {
 public:
  TCall(TEvaluation& Evaluation, const TNode& Node, std::vector<TValue> Args)
      : FEvaluation(Evaluation), FNode(Node), FArgs(std::move(Args)) {}

  size_t Count() const { return FNode.Children.size(); }
  const TValue& Arg(size_t Index) const { return FArgs[Index]; }
  // For lazy functions: evaluates argument Index now.
  TValue Evaluate(size_t Index) { return FEvaluation.Evaluate(*FNode.Children[Index]); }
  // The bare field name a fnFieldName function was given.
  const std::string& FieldName() const { return FNode.Children[0]->Name; }
  TEvaluation& Evaluation() { return FEvaluation; }
  IFormulaContext& Context() { return FEvaluation.Context(); }
  // Whether the first arguments have these kinds, in order.
  bool HasKinds(std::initializer_list<TValueKind> Kinds) const;

 private:
  TEvaluation& FEvaluation;
  const TNode& FNode;
  std::vector<TValue> FArgs;
};

}  // namespace notesrt
