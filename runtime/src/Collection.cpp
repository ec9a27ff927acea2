#include "Collection.h"

#include "Database.h"
#include "ViewIndex.h"

namespace notesrt {

void TCollection::Update(bool Rebuild) {
  design::TViewDesign design = design::TViewDesign::Load(*FDatabase, FView);
  TViewIndex index(*FDatabase, design);
  if (Rebuild) index.Discard();
  FEvaluations = static_cast<DWORD>(index.Refresh());
  FRows = LayOutRows(design, index.Rows());
}

}  // namespace notesrt
