#include "search/formula/Evaluator.h"

#include "search/formula/Evaluation.h"

namespace notesrt {

TEvaluator::TEvaluator(std::shared_ptr<const TCompiledFormula> Formula)
    : FFormula(std::move(Formula)) {}

TEvaluator::~TEvaluator() = default;

TFormulaResult TEvaluator::Evaluate(IFormulaContext& Context) {
  return TEvaluation(FFormula->Program(), Context, FCollation).Run();
}

}  // namespace notesrt
