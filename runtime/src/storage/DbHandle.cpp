#include "storage/DbHandle.h"

#include "core/EStatus.h"
#include "core/HandleTable.h"
#include "notesapi/nsferr.h"
#include "storage/DbAccess.h"

namespace notesrt {

const std::shared_ptr<TDatabase>& TDbHandle::DatabaseOf(DBHANDLE Handle) {
  TDbHandle& handle = THandleTable::Instance().Get<TDbHandle>(Handle);
  if (handle.IsDirectory()) throw EStatus(ERR_DIRECTORY);
  return handle.FDatabase;
}

const std::shared_ptr<const IDbAccess>& TDbHandle::AccessOf(DBHANDLE Handle) {
  TDbHandle& handle = THandleTable::Instance().Get<TDbHandle>(Handle);
  if (handle.IsDirectory()) throw EStatus(ERR_DIRECTORY);
  return handle.FAccess;
}

}  // namespace notesrt
