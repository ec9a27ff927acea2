#include "views/Collection.h"

#include <algorithm>
#include <string>

#include "acl/Access.h"
#include "core/EStatus.h"
#include "core/Log.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "views/KeptRows.h"
#include "views/ViewIndex.h"

namespace notesrt {

// The index is derived from the notes: one whose rows are not what it held when built is
// built again from them, never read as it is.
void TCollection::Update(bool Rebuild) {
  FEvaluations = 0;
  FRows = Rebuild ? nullptr : FDatabase->Derived<TKeptRows>().Find(FView, FDatabase->File());
  if (!FRows) FRows = LayOut(Rebuild);
  if (const TAccess* access = TAccess::Of(FAccess))
    LeaveOutHidden(access->VisibilityIn(*FDatabase));
  ExpectOpens();
}

std::shared_ptr<const std::vector<TCollectionRow>> TCollection::LayOut(bool Rebuild) {
  const std::optional<TCommitMark> mark = FDatabase->File().CommitMark();
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
  auto laidOut =
      std::make_shared<const std::vector<TCollectionRow>>(LayOutRows(design, std::move(*rows)));
  // The clock and the current user change what a volatile view shows without any commit.
  if (!design.Volatile)
    FDatabase->Derived<TKeptRows>().Keep(FView, mark, FDatabase->File(), laidOut);
  return laidOut;
}

// Callers read a collection to open its documents in its order.
void TCollection::ExpectOpens() const {
  std::vector<NOTEID> order;
  order.reserve(FRows->size());
  for (const TCollectionRow& row : *FRows)
    if (row.IsDocument()) order.push_back(row.Id);
  FDatabase->ExpectOpens(std::move(order));
}

// A hidden document goes with its responses, and the rows left are numbered afresh, so that
// positions show no gaps. A category whose documents are all hidden stays: its row tells
// nothing of them.
void TCollection::LeaveOutHidden(const TVisibility& Visibility) {
  const bool anyHidden = std::any_of(FRows->begin(), FRows->end(), [&](const TCollectionRow& Row) {
    return Row.IsDocument() && !Visibility.Shows(Row.Id, NOTE_CLASS_DOCUMENT);
  });
  // The rows may be kept for others: they are copied only when this user sees fewer.
  if (!anyHidden) return;
  auto kept = std::make_shared<std::vector<TCollectionRow>>();
  std::vector<DWORD> position;
  size_t hiddenDepth = 0;
  for (const TCollectionRow& row : *FRows) {
    size_t depth = row.Tumbler.size();
    if (hiddenDepth && depth > hiddenDepth) continue;
    hiddenDepth = 0;
    if (row.IsDocument() && !Visibility.Shows(row.Id, NOTE_CLASS_DOCUMENT)) {
      hiddenDepth = depth;
      continue;
    }
    position.resize(depth, 0);
    ++position[depth - 1];
    kept->push_back(row);
    kept->back().Tumbler = position;
  }
  FRows = std::move(kept);
}

}  // namespace notesrt
