#include "views/Collection.h"

#include "storage/Database.h"
#include "views/ViewIndex.h"

namespace notesrt {

void TCollection::Update(bool Rebuild) {
  design::TViewDesign design = design::TViewDesign::Load(*FDatabase, FView);
  TViewIndex index(*FDatabase, design);
  if (Rebuild) index.Discard();
  FEvaluations = static_cast<DWORD>(index.Refresh());
  FRows = LayOutRows(design, index.Rows());
}

}  // namespace notesrt
