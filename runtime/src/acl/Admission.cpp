// Who may open a server's database, and what creating one grants.
#include "acl/AclStore.h"
#include "acl/EffectiveAccess.h"
#include "acl/ServerAcl.h"
#include "core/EStatus.h"
#include "notesapi/kfm.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/DbAccess.h"
#include "storage/Servers.h"

namespace notesrt {

namespace {

// Without a user name nobody is asking: only -Default- applies.
std::string CurrentUser() {
  char name[MAXUSERNAME + 1] = {};
  return SECKFMGetUserName(name) == NOERROR ? std::string(name) : std::string();
}

bool IsKnownServer(const std::string& User) {
  if (User.empty()) return false;
  std::string key = NameKey(User);
  for (const std::string& server : KnownServers())
    if (NameKey(server) == key) return true;
  return false;
}

}  // namespace

std::shared_ptr<const IDbAccess> AdmitToServerDatabase(TDatabase& Database,
                                                       std::string_view Server) {
  std::string user = CurrentUser();
  TAccessor accessor{user, DirectoryGroups(Server), IsKnownServer(user)};
  std::shared_ptr<const TAccess> access =
      EffectiveAccess(*TAclStore(Database.File()).Read(), accessor);
  if (access->Level() == ACL_LEVEL_NOACCESS) throw EStatus(ERR_NOACCESS);
  return access;
}

void GrantCreatorManager(TDatabase& Database, std::string_view) {
  std::string user = CurrentUser();
  if (user.empty() || IsKnownServer(user)) return;
  TAclStore store(Database.File());
  std::unique_ptr<TAcl> acl = store.Read();
  if (!store.Stored()) SetServerAcl(*acl, ACL_LEVEL_DESIGNER);
  TAclEntry creator{
      user, ACL_LEVEL_MANAGER, {}, static_cast<WORD>(TAcl::ManagerFlags | ACL_FLAG_PERSON)};
  try {
    acl->Update(user.c_str(), ACL_UPDATE_LEVEL | ACL_UPDATE_FLAGS, creator);
  } catch (const EStatus& error) {
    if (error.Status() != ERR_ACL_NOENTRY) throw;
    acl->Add(creator);
  }
  store.Write(*acl);
}

}  // namespace notesrt
