#pragma once

#include <memory>

#include "acl/Acl.h"

namespace notesrt {

class TDbFile;

// The access control list a database file keeps: one row of list flags, one row per entry in
// order and one per named privilege. The runtime enforces it on server databases (Access.h).
class TAclStore {
 public:
  explicit TAclStore(TDbFile& File) : FFile(File) {}

  // The stored list, read in one transaction. A database never given one reads as a fresh local
  // database does for its creator: -Default- at Manager.
  std::unique_ptr<TAcl> Read();
  // Whether the database was ever given a list.
  bool Stored();
  // Replaces the stored list in one transaction (or inside the caller's write).
  void Write(const TAcl& Acl);

 private:
  void ReadEntries(TAcl& Acl);
  void ReadPrivilegeNames(TAcl& Acl);

  TDbFile& FFile;
};

}  // namespace notesrt
