// Access control lists: the in-memory list and its storage in the database.
#include <cstring>

#include "acl/Access.h"
#include "acl/Acl.h"
#include "acl/AclStore.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "notesapi/acl.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "text/BufferText.h"

using notesrt::TAcl;
using notesrt::TAclEntry;
using notesrt::THandleTable;

namespace {

TAcl& AclOf(DHANDLE Handle) {
  return THandleTable::Instance().Get<TAcl>(Handle);
}

TAclEntry EntryOf(const char* Name, WORD Level, const ACL_PRIVILEGES* Privileges, WORD Flags) {
  TAclEntry entry{Name ? Name : "", Level, {}, Flags};
  if (Privileges) entry.Privileges = *Privileges;
  return entry;
}

DHANDLE AddToTable(std::unique_ptr<TAcl> Acl) {
  return THandleTable::Instance().Add(std::move(Acl));
}

}  // namespace

STATUS LNPUBLIC ACLCreate(DHANDLE* rethACL) {
  notesrt::PutOptional(rethACL, NULLHANDLE);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethACL) return ERR_MISC_INVALID_ARGS;
    *rethACL = AddToTable(std::make_unique<TAcl>(ACL_LEVEL_NOACCESS, 0));
    return NOERROR;
  });
}

// The callback gets copies, so that it may even change the list without disturbing the walk.
STATUS LNPUBLIC ACLEnumEntries(DHANDLE hACL, ACLENTRYENUMFUNC EnumFunc, void* EnumFuncParam) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    std::vector<TAclEntry> entries = AclOf(hACL).Entries();
    if (!EnumFunc) return ERR_MISC_INVALID_ARGS;
    for (TAclEntry& entry : entries)
      EnumFunc(EnumFuncParam, entry.Name.data(), entry.Level, &entry.Privileges, entry.Flags);
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLAddEntry(DHANDLE hACL, const char* Name, WORD AccessLevel,
                            ACL_PRIVILEGES* Privileges, WORD AccessFlags) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    AclOf(hACL).Add(EntryOf(Name, AccessLevel, Privileges, AccessFlags));
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLUpdateEntry(DHANDLE hACL, const char* Name, WORD UpdateFlags,
                               const char* NewName, WORD NewAccessLevel,
                               ACL_PRIVILEGES* NewPrivileges, WORD NewAccessFlags) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    AclOf(hACL).Update(Name, UpdateFlags,
                       EntryOf(NewName, NewAccessLevel, NewPrivileges, NewAccessFlags));
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLDeleteEntry(DHANDLE hACL, const char* Name) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    AclOf(hACL).Delete(Name);
    return NOERROR;
  });
}

// The buffer must hold ACL_PRIVSTRINGMAX bytes.
STATUS LNPUBLIC ACLGetPrivName(DHANDLE hACL, WORD PrivNum, char* retPrivName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    std::string text = AclOf(hACL).PrivilegeText(PrivNum);
    if (!retPrivName) return ERR_MISC_INVALID_ARGS;
    notesrt::CopyToBuffer(text, retPrivName, ACL_PRIVSTRINGMAX);
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLSetPrivName(DHANDLE hACL, WORD PrivNum, char* PrivName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TAcl& acl = AclOf(hACL);
    if (!PrivName) return ERR_MISC_INVALID_ARGS;
    acl.SetPrivilegeName(PrivNum, std::string_view(PrivName, strnlen(PrivName, ACL_PRIVNAMEMAX)));
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLGetFlags(DHANDLE hACL, DWORD* Flags) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    DWORD flags = AclOf(hACL).Flags();
    if (!Flags) return ERR_MISC_INVALID_ARGS;
    *Flags = flags;
    return NOERROR;
  });
}

STATUS LNPUBLIC ACLSetFlags(DHANDLE hACL, DWORD Flags) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    AclOf(hACL).SetFlags(Flags);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbReadACL(DBHANDLE hDB, DHANDLE* rethACL) {
  notesrt::PutOptional(rethACL, NULLHANDLE);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    if (!rethACL) return ERR_MISC_INVALID_ARGS;
    *rethACL = AddToTable(notesrt::TAclStore(database.File()).Read());
    return NOERROR;
  });
}

// There is no signature to prompt for: the list is stored as it is. Only the database's own
// list (ObjectID 0) can be stored, and on a server only by a Manager. What the Manager stores
// takes effect for the handles opened after it.
STATUS LNPUBLIC NSFDbStoreACL(DBHANDLE hDB, DHANDLE hACL, DWORD ObjectID, WORD Method) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    const TAcl& acl = AclOf(hACL);
    if (ObjectID != 0 || Method > 1) return ERR_MISC_INVALID_ARGS;
    if (const notesrt::TAccess* access = notesrt::TAccess::Of(hDB)) access->CheckStoreAcl();
    notesrt::TAclStore(database.File()).Write(acl);
    return NOERROR;
  });
}

// A database whose access is not enforced (a local one) is the user's to manage.
STATUS LNPUBLIC NSFDbAccessGet(DBHANDLE hDB, WORD* retAccessLevel, WORD* retAccessFlag) {
  notesrt::PutOptional(retAccessLevel, WORD{0});
  notesrt::PutOptional(retAccessFlag, WORD{0});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    const notesrt::TAccess* access = notesrt::TAccess::Of(hDB);
    notesrt::PutOptional(retAccessLevel, access ? access->Level() : WORD{ACL_LEVEL_MANAGER});
    notesrt::PutOptional(retAccessFlag, access ? access->Flags() : WORD{TAcl::ManagerFlags});
    return NOERROR;
  });
}
