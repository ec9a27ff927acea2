#pragma once

#include <memory>

#include "core/TestedApi.h"
#include "search/formula/Collation.h"
#include "search/formula/CompiledFormula.h"
#include "search/formula/FormulaContext.h"
#include "search/formula/FormulaResult.h"

namespace notesrt {

// Runs one compiled formula against any number of contexts, one after another; what it keeps
// between runs (the collator) makes the runs after the first cheap. Raises EStatus when the
// break handler stops a run.
class NOTESRT_TESTED TEvaluator {
 public:
  explicit TEvaluator(std::shared_ptr<const TCompiledFormula> Formula);
  ~TEvaluator();

  TFormulaResult Evaluate(IFormulaContext& Context);
  const TCompiledFormula& Formula() const { return *FFormula; }

 private:
  std::shared_ptr<const TCompiledFormula> FFormula;
  TCollation FCollation;
};

}  // namespace notesrt
