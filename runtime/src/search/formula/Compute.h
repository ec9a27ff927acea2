#pragma once

#include <memory>

#include "core/HandleObject.h"
#include "notesapi/notesrt.h"
#include "search/formula/Evaluator.h"

namespace notesrt {

// What an HCOMPUTE names: an evaluator of its own copy of the compiled formula, so the caller
// may free the compiled formula while the compute runs on.
class TCompute : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_COMPUTE;

  explicit TCompute(std::shared_ptr<const TCompiledFormula> Formula)
      : FEvaluator(std::move(Formula)) {}
  WORD Kind() const override { return KindId; }

  TEvaluator& Evaluator() { return FEvaluator; }

 private:
  TEvaluator FEvaluator;
};

}  // namespace notesrt
