#pragma once

#include <memory>
#include <vector>

#include "core/HandleObject.h"
#include "notesapi/notesrt.h"
#include "views/CollectionRows.h"

namespace notesrt {

class IDbAccess;
class TDatabase;
class TVisibility;

// What an HCOLLECTION names: a snapshot of a view's or folder's rows, taken at open and at each
// update. It keeps its database alive, so it can be read after the database handle is closed.
class TCollection : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_COLLECTION;

  // Access: the user's access to the database (DbAccess.h), null when nothing is enforced.
  TCollection(std::shared_ptr<TDatabase> Database, NOTEID View,
              std::shared_ptr<const IDbAccess> Access = nullptr)
      : FDatabase(std::move(Database)), FView(View), FAccess(std::move(Access)) {}
  WORD Kind() const override { return KindId; }

  // Brings the view's index up to date and takes a new snapshot of the rows the user may
  // read. Rebuild discards the index.
  void Update(bool Rebuild = false);
  const std::vector<TCollectionRow>& Rows() const { return *FRows; }
  // How many notes the last update evaluated.
  DWORD Evaluations() const { return FEvaluations; }

 private:
  // The index brought up to date and its rows laid out, kept for the next update while the
  // file stays as it is.
  std::shared_ptr<const std::vector<TCollectionRow>> LayOut(bool Rebuild);
  void LeaveOutHidden(const TVisibility& Visibility);
  void ExpectOpens() const;

  std::shared_ptr<TDatabase> FDatabase;
  NOTEID FView;
  std::shared_ptr<const IDbAccess> FAccess;
  std::shared_ptr<const std::vector<TCollectionRow>> FRows =
      std::make_shared<const std::vector<TCollectionRow>>();
  DWORD FEvaluations = 0;
};

}  // namespace notesrt
