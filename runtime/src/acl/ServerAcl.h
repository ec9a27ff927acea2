#pragma once

#include "acl/Acl.h"

namespace notesrt {

// Makes Acl what a server's database starts with: -Default- at DefaultLevel, and the servers
// of the domain (the group LocalDomainServers) at Manager, as they deliver, replicate and
// administer. Mail files: No Access (the owner's entry is added by whoever makes the file); the
// directory: Reader; the router's mailbox: Depositor; a blank database: Designer (and its
// creator Manager).
void SetServerAcl(TAcl& Acl, WORD DefaultLevel);

}  // namespace notesrt
