#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "search/formula/Collation.h"
#include "search/formula/FormulaContext.h"
#include "search/formula/FormulaResult.h"
#include "search/formula/Node.h"

namespace notesrt {

// One run of a program against one context: the temporary variables and what the run did to
// the note. Raises EStatus when the break handler asks to stop.
class TEvaluation {
 public:
  TEvaluation(const TProgram& Program, IFormulaContext& Context, TCollation& Collation);

  TFormulaResult Run();
  TValue Evaluate(const TNode& Node);

  IFormulaContext& Context() { return FContext; }
  TCollation& Collation() { return FCollation; }
  // The context's regional settings, read once per run.
  const TRegionalSettings& Regional();
  // A missing item, or no note at all, reads as "".
  TValue ReadField(std::string_view Name);
  bool HasField(std::string_view Name);
  // Returns Value, or the error that kept it from being stored.
  TValue WriteField(std::string_view Name, const TValue& Value);

 private:
  TValue Execute(const TStatement& Statement);
  TValue EvaluateChain(const TNode& Node);
  TValue CallFunction(const TNode& Node);

  const TProgram& FProgram;
  IFormulaContext& FContext;
  TCollation& FCollation;
  std::vector<TValue> FSlots;
  std::optional<TRegionalSettings> FRegional;
  bool FModified = false;
};

}  // namespace notesrt
