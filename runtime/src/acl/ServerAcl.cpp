#include "acl/ServerAcl.h"

#include "acl/EffectiveAccess.h"

namespace notesrt {

void SetServerAcl(TAcl& Acl, WORD DefaultLevel) {
  Acl.Update(nullptr, ACL_UPDATE_LEVEL | ACL_UPDATE_FLAGS, TAclEntry{"", DefaultLevel, {}, 0});
  Acl.Add(TAclEntry{std::string(LocalDomainServers),
                    ACL_LEVEL_MANAGER,
                    {},
                    TAcl::ManagerFlags | ACL_FLAG_GROUP | ACL_FLAG_SERVER});
}

}  // namespace notesrt
