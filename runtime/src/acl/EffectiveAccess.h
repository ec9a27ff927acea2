#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "acl/Access.h"
#include "acl/Acl.h"
#include "acl/DirectoryGroups.h"

namespace notesrt {

// Who asks: the user's canonical name (LMBCS; "" for nobody), the groups of the server's
// directory and whether the user is a server of this domain.
struct TAccessor {
  std::string User;
  std::vector<TDirectoryGroup> Groups;
  bool Server = false;
};

// The effective access of Accessor under Acl, as Notes decides it: an entry naming the user
// decides alone; else the highest level among the entries of the groups that hold the user
// (nested), with their roles merged and a right granted when any of them grants it; else the
// matching wildcard entries ("*/O=Org") the same way; else -Default-.
std::unique_ptr<TAccess> EffectiveAccess(const TAcl& Acl, const TAccessor& Accessor);

// The group every server of this domain belongs to.
inline constexpr std::string_view LocalDomainServers = "LocalDomainServers";

}  // namespace notesrt
