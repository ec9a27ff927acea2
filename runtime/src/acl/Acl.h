#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/HandleObject.h"
#include "notesapi/acl.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// One entry of an access control list; the name is LMBCS as the caller gave it.
struct TAclEntry {
  std::string Name;
  WORD Level = ACL_LEVEL_NOACCESS;
  ACL_PRIVILEGES Privileges{};
  WORD Flags = 0;
};

// An access control list in memory, behind an ACL handle: entries in the order they were added,
// the default entry first (it cannot go), the names of the 80 privileges and the list's flags.
// Every change is checked whole before anything changes. The runtime keeps the list but never
// enforces it: the stand-in has no authentication, so every caller acts with full access.
class TAcl : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_ACL;
  static constexpr size_t MaxEntries = 1000;
  static constexpr std::string_view DefaultName = "-Default-";
  // What a Manager may do in a database a client creates for itself.
  static constexpr WORD ManagerFlags = ACL_FLAG_CREATE_PRAGENT | ACL_FLAG_CREATE_PRFOLDER |
                                       ACL_FLAG_CREATE_FOLDER | ACL_FLAG_CREATE_LOTUSSCRIPT |
                                       ACL_FLAG_PUBLICREADER | ACL_FLAG_PUBLICWRITER;

  // A list holding the default entry alone.
  TAcl(WORD DefaultLevel, WORD DefaultFlags);
  WORD Kind() const override { return KindId; }

  const std::vector<TAclEntry>& Entries() const { return FEntries; }
  // ERR_ACL_FULL, ERR_NOTESRT_ACL_DUPLICATE, or ERR_MISC_INVALID_ARGS for an empty or overlong
  // name or an unknown level.
  void Add(TAclEntry Entry);
  // A null Name (or the default's) is the default entry; ERR_ACL_NOENTRY when no entry has it.
  // What holds ACL_UPDATE_xxx bits naming the fields of New to take.
  void Update(const char* Name, WORD What, const TAclEntry& New);
  void Delete(const char* Name);

  // As Notes shows it: "(name)" for the privilege levels below ACL_BITPRIVCOUNT, "[name]" for
  // roles, "" when unnamed; ERR_ACL_NOENTRY past the last privilege.
  std::string PrivilegeText(WORD Number) const;
  const std::string& PrivilegeName(WORD Number) const { return FPrivilegeNames.at(Number); }
  void SetPrivilegeName(WORD Number, std::string_view Name);

  DWORD Flags() const { return FFlags; }
  void SetFlags(DWORD Flags) { FFlags = Flags; }

 private:
  size_t IndexOf(const char* Name) const;
  std::optional<size_t> Find(std::string_view Name) const;
  TAclEntry Renamed(size_t Index, const std::string& NewName) const;
  static void CheckEntry(const TAclEntry& Entry);

  std::vector<TAclEntry> FEntries;
  // The case-folded name of each entry, so that finding one folds only the name asked for.
  std::vector<std::string> FKeys;
  std::array<std::string, ACL_PRIVCOUNT> FPrivilegeNames;
  DWORD FFlags = 0;
};

}  // namespace notesrt
