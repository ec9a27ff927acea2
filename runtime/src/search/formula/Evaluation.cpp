#include "search/formula/Evaluation.h"

#include <optional>

#include "core/EStatus.h"
#include "core/SignalHandlers.h"
#include "notesapi/nsfsearc.h"
#include "search/formula/Call.h"
#include "search/formula/FunctionSpec.h"
#include "search/formula/ItemLayout.h"
#include "search/formula/Operators.h"

namespace notesrt {

TEvaluation::TEvaluation(const TProgram& Program, IFormulaContext& Context, TCollation& Collation)
    : FProgram(Program), FContext(Context), FCollation(Collation), FSlots(Program.SlotCount) {}

TFormulaResult TEvaluation::Run() {
  TFormulaResult result;
  std::optional<TValue> selected;
  for (const TStatement& statement : FProgram.Statements) {
    if (STATUS status = CheckBreak()) throw EStatus(status);
    result.Value = Execute(statement);
    if (statement.Kind == TStatementKind::Select) selected = result.Value;
  }
  if (selected) result.Value = std::move(*selected);
  result.Matches = result.Value.IsTrue();
  result.Modified = FModified;
  return result;
}

TValue TEvaluation::Execute(const TStatement& Statement) {
  switch (Statement.Kind) {
    case TStatementKind::Assign:
      return FSlots[Statement.Slot] = Evaluate(*Statement.Expression);
    case TStatementKind::FieldAssign:
      return WriteField(Statement.Name, Evaluate(*Statement.Expression));
    case TStatementKind::Default:
      if (HasField(Statement.Name)) return ReadField(Statement.Name);
      return FSlots[Statement.Slot] = Evaluate(*Statement.Expression);
    default:
      return Evaluate(*Statement.Expression);
  }
}

TValue TEvaluation::Evaluate(const TNode& Node) {
  switch (Node.Kind) {
    case TNodeKind::Literal:
      return Node.Literal;
    case TNodeKind::Variable:
      return FSlots[Node.Slot];
    case TNodeKind::Field:
      return ReadField(Node.Name);
    case TNodeKind::DefaultedField:
      return HasField(Node.Name) ? ReadField(Node.Name) : FSlots[Node.Slot];
    case TNodeKind::Function:
      return CallFunction(Node);
    case TNodeKind::Unary:
      return ApplyUnary(Node.Op, Evaluate(*Node.Children[0]));
    case TNodeKind::Chain:
      return EvaluateChain(Node);
    case TNodeKind::Subscript:
      return ApplySubscript(Evaluate(*Node.Children[0]), Evaluate(*Node.Children[1]));
    case TNodeKind::Assign:
      return FSlots[Node.Slot] = Evaluate(*Node.Children[0]);
  }
  return TValue::Error(ERR_FORMULA_DAMAGED);
}

// Every operand is evaluated, also after an error, so that assignments inside run as written.
TValue TEvaluation::EvaluateChain(const TNode& Node) {
  TValue value = Evaluate(*Node.Children[0]);
  for (size_t op = 0; op < Node.Ops.size(); ++op)
    value = ApplyBinary(Node.Ops[op], value, Evaluate(*Node.Children[op + 1]), FCollation);
  return value;
}

TValue TEvaluation::CallFunction(const TNode& Node) {
  const TFunctionSpec& spec = *Node.Function;
  std::vector<TValue> args;
  if (!(spec.Flags & fnLazy)) {
    args.reserve(Node.Children.size());
    for (const auto& child : Node.Children) args.push_back(Evaluate(*child));
    if (!(spec.Flags & fnKeepErrors))
      for (const TValue& arg : args)
        if (arg.IsError()) return arg;
  }
  TCall call(*this, Node, std::move(args));
  return spec.Body(call);
}

const TRegionalSettings& TEvaluation::Regional() {
  if (!FRegional) FRegional = FContext.RegionalSettings();
  return *FRegional;
}

TValue TEvaluation::ReadField(std::string_view Name) {
  if (!FContext.HasNote()) return TValue();
  std::optional<TItemValue> item = FContext.ReadItem(Name);
  return item ? ValueOfItem(*item) : TValue();
}

bool TEvaluation::HasField(std::string_view Name) {
  return FContext.HasNote() && FContext.ReadItem(Name).has_value();
}

TValue TEvaluation::WriteField(std::string_view Name, const TValue& Value) {
  if (Value.IsError()) return Value;
  if (!FContext.HasNote()) return TValue::Error(ERR_FORMULA_NEEDS_NOTE);
  TItemValue item;
  if (STATUS status = ItemOfValue(Value, item)) return TValue::Error(status);
  FContext.WriteItem(Name, item);
  FModified = true;
  return Value;
}

}  // namespace notesrt
