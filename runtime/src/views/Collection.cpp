#include "views/Collection.h"

#include <string>

#include "acl/Access.h"
#include "core/EStatus.h"
#include "core/Log.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
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
  if (const TAccess* access = TAccess::Of(FAccess))
    LeaveOutHidden(access->VisibilityIn(*FDatabase));
}

// A hidden document goes with its responses, and the rows left are numbered afresh, so that
// positions show no gaps. A category whose documents are all hidden stays: its row tells
// nothing of them.
void TCollection::LeaveOutHidden(const TVisibility& Visibility) {
  std::vector<TCollectionRow> kept;
  std::vector<DWORD> position;
  size_t hiddenDepth = 0;
  for (TCollectionRow& row : FRows) {
    size_t depth = row.Tumbler.size();
    if (hiddenDepth && depth > hiddenDepth) continue;
    hiddenDepth = 0;
    if (row.IsDocument() && !Visibility.Shows(row.Id, NOTE_CLASS_DOCUMENT)) {
      hiddenDepth = depth;
      continue;
    }
    position.resize(depth, 0);
    ++position[depth - 1];
    row.Tumbler = position;
    kept.push_back(std::move(row));
  }
  FRows = std::move(kept);
}

}  // namespace notesrt
