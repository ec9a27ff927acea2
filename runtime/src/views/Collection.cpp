#include "views/Collection.h"

#include <string>

#include "core/EStatus.h"
#include "core/Log.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "views/ViewIndex.h"

namespace notesrt {

// The index is derived from the notes: one whose rows are not what it held when built is
// built again from them, never read as it is.
void TCollection::Update(bool Rebuild) {
  design::TViewDesign design = design::TViewDesign::Load(*FDatabase, FView);
  TViewIndex index(*FDatabase, design);
  if (Rebuild) index.Discard();
  FEvaluations = static_cast<DWORD>(index.Refresh());
  std::optional<std::vector<TIndexRow>> rows = index.Rows();
  if (!rows) {
    LogLine(FDatabase->Path().string() + ": the index of view note " + std::to_string(FView) +
            " did not match what it held (damaged); rebuilt from the documents");
    index.Discard();
    FEvaluations += static_cast<DWORD>(index.Refresh());
    rows = index.Rows();
    if (!rows) throw EStatus(ERR_NOT_NSF);
  }
  FRows = LayOutRows(design, std::move(*rows));
}

}  // namespace notesrt
