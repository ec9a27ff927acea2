#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

// What the user of one database handle may do. Storage keeps it with the handle and asks it
// only about what storage hands out itself (unread tables); the access control module (acl/)
// makes it when a server's database is opened, and the layers above ask it the rest. A handle
// without one is not checked: a local database, which a client does not enforce.
class IDbAccess {
 public:
  virtual ~IDbAccess() = default;
  // Leaves out of Ids the documents the user may not see.
  virtual void RemoveHidden(TDatabase& Database, std::vector<NOTEID>& Ids) const = 0;
};

// Declared here, where databases are opened and created, and defined by the access control
// module above, which storage must not include: the current user's access to Database, a
// database of Server (canonical, LMBCS). ERR_NOACCESS when the user may not open it.
std::shared_ptr<const IDbAccess> AdmitToServerDatabase(TDatabase& Database,
                                                       std::string_view Server);
// Makes the current user a Manager of Database, which they just created on Server; the server
// itself needs no entry of its own.
void GrantCreatorManager(TDatabase& Database, std::string_view Server);

}  // namespace notesrt
