#include "acl/AclStore.h"

#include <algorithm>
#include <cstring>

#include "core/EStatus.h"
#include "storage/DbFile.h"

namespace notesrt {

namespace {

std::string_view BytesOf(const ACL_PRIVILEGES& Privileges) {
  return {reinterpret_cast<const char*>(Privileges.BitMask), sizeof Privileges.BitMask};
}

// A blob of another length (a damaged file) gives what fits, the rest cleared.
ACL_PRIVILEGES PrivilegesOf(std::string_view Bytes) {
  ACL_PRIVILEGES privileges{};
  if (!Bytes.empty())
    std::memcpy(privileges.BitMask, Bytes.data(), std::min(Bytes.size(), sizeof privileges));
  return privileges;
}

// A stored value that does not fit its field (a damaged file) reads as none.
WORD WordOf(int64_t Value) {
  return Value >= 0 && Value <= 0xFFFF ? static_cast<WORD>(Value) : 0;
}

}  // namespace

// A read transaction: opening a server database reads its list, which must work on a full disk
// or read-only media and must not wait for another process's write lock.
std::unique_ptr<TAcl> TAclStore::Read() {
  return FFile.Read([&] {
    TSqlQuery header(FFile.Statement("SELECT flags FROM acl WHERE id = 1"));
    if (!header.Step()) return std::make_unique<TAcl>(ACL_LEVEL_MANAGER, TAcl::ManagerFlags);
    auto acl = std::make_unique<TAcl>(ACL_LEVEL_NOACCESS, 0);
    acl->SetFlags(static_cast<DWORD>(header.Int(0)));
    ReadEntries(*acl);
    ReadPrivilegeNames(*acl);
    return acl;
  });
}

bool TAclStore::Stored() {
  return TSqlQuery(FFile.Statement("SELECT 1 FROM acl WHERE id = 1")).Step();
}

void TAclStore::Write(const TAcl& Acl) {
  FFile.Write([&] {
    FFile.Execute("DELETE FROM acl; DELETE FROM acl_entries; DELETE FROM acl_privileges;");
    TSqlQuery(FFile.Statement("INSERT INTO acl(id, flags) VALUES(1, ?)"))
        .Bind(1, Acl.Flags())
        .Run();
    TSqlStatement& entry = FFile.Statement(
        "INSERT INTO acl_entries(position, name, level, privileges, flags) VALUES(?, ?, ?, ?, ?)");
    int64_t position = 0;
    for (const TAclEntry& each : Acl.Entries()) {
      TSqlQuery(entry)
          .Bind(1, position++)
          .BindBlob(2, each.Name)
          .Bind(3, each.Level)
          .BindBlob(4, BytesOf(each.Privileges))
          .Bind(5, each.Flags)
          .Run();
    }
    TSqlStatement& privilege =
        FFile.Statement("INSERT INTO acl_privileges(number, name) VALUES(?, ?)");
    for (WORD number = 0; number < ACL_PRIVCOUNT; ++number) {
      const std::string& name = Acl.PrivilegeName(number);
      if (!name.empty()) TSqlQuery(privilege).Bind(1, number).BindBlob(2, name).Run();
    }
  });
}

// Rows a damaged file holds against the list's rules (a duplicate, an unknown level) are left
// out rather than failing the whole list.
void TAclStore::ReadEntries(TAcl& Acl) {
  TSqlQuery query(
      FFile.Statement("SELECT name, level, privileges, flags FROM acl_entries ORDER BY position"));
  while (query.Step()) {
    TAclEntry entry{std::string(query.Blob(0)), WordOf(query.Int(1)), PrivilegesOf(query.Blob(2)),
                    WordOf(query.Int(3))};
    try {
      if (entry.Name == TAcl::DefaultName)
        Acl.Update(nullptr, ACL_UPDATE_LEVEL | ACL_UPDATE_PRIVILEGES | ACL_UPDATE_FLAGS, entry);
      else
        Acl.Add(std::move(entry));
    } catch (const EStatus&) {
    }
  }
}

void TAclStore::ReadPrivilegeNames(TAcl& Acl) {
  TSqlQuery query(FFile.Statement(
      "SELECT number, name FROM acl_privileges WHERE number >= 0 AND number < ? ORDER BY number"));
  query.Bind(1, ACL_PRIVCOUNT);
  while (query.Step()) {
    try {
      Acl.SetPrivilegeName(static_cast<WORD>(query.Int(0)), query.Blob(1));
    } catch (const EStatus&) {
    }
  }
}

}  // namespace notesrt
