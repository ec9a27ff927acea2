// The database's access control list.
#include "TNotesACL.h"
#include "TNotesDatabase.h"

TNotesACL& TNotesDatabase::GetACL() {
  if (!FACL) FACL = std::make_unique<TNotesACL>(*this);
  return *FACL;
}
