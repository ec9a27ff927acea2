// The database's access control list.
#include "ELotusNotes.h"
#include "TNotesACL.h"
#include "TNotesDatabase.h"

TNotesACL& TNotesDatabase::GetACL() {
  if (!FACL) FACL = std::make_unique<TNotesACL>(*this);
  return *FACL;
}

namespace {

struct TAccess {
  WORD Level = 0;
  WORD Flags = 0;
};

TAccess AccessOf(DBHANDLE Handle) {
  TAccess access;
  CheckNotesStatus(NSFDbAccessGet(Handle, &access.Level, &access.Flags));
  return access;
}

}  // namespace

TNotesAclAccessLevel TNotesDatabase::GetAccessLevel() const {
  return AclLevelOf(AccessOf(FHandle).Level);
}

TNotesAclFlags TNotesDatabase::GetAccessFlags() const {
  return AclFlagsOf(AccessOf(FHandle).Flags);
}
