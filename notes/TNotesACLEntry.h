#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "NotesApi.h"
#include "Object.h"

class TNotesACL;

// Access levels, in the order of the Notes level numbers (ACL_LEVEL_NOACCESS to _MANAGER).
enum TNotesAclAccessLevel : uint8_t {
  aclNoAccess,
  aclDepositor,
  aclReader,
  aclAuthor,
  aclEditor,
  aclDesigner,
  aclManager
};

// Access flags of an entry; each stands for one ACL_FLAG_xxx bit.
enum TNotesAclFlag {
  acfAuthorNoCreate,
  acfServer,
  acfNoDelete,
  acfCreatePersonalAgents,
  acfCreatePersonalFolders,
  acfPerson,
  acfGroup,
  acfCreateFolders,
  acfCreateLotusScript,
  acfPublicReader,
  acfPublicWriter,
  acfAdminReaderAuthor,
  acfAdminServer
};
using TNotesAclFlags = std::set<TNotesAclFlag>;

// The Notes numbers and bits of levels and flags. A level number Notes does not define reads as
// aclNoAccess, the safe reading.
WORD AclLevelNumber(TNotesAclAccessLevel Level);
TNotesAclAccessLevel AclLevelOf(WORD Number);
WORD AclFlagsWord(const TNotesAclFlags& Flags);
TNotesAclFlags AclFlagsOf(WORD Word);

// One entry of a TNotesACL: a name ("-Default-" for the default entry) with its access level,
// flags and privileges (roles). Changes stay here until Update writes them into the list's
// in-memory copy; TNotesACL::Save calls it for every entry.
class TNotesACLEntry : public TObject {
 public:
  // What changed since the entry was last written (UpdateFlags).
  static constexpr WORD ChangedName = ACL_UPDATE_NAME;
  static constexpr WORD ChangedLevel = ACL_UPDATE_LEVEL;
  static constexpr WORD ChangedPrivileges = ACL_UPDATE_PRIVILEGES;
  static constexpr WORD ChangedFlags = ACL_UPDATE_FLAGS;

  // An entry as read from the list.
  TNotesACLEntry(TNotesACL& ACL, const std::string& Name, TNotesAclAccessLevel AccessLevel,
                 const ACL_PRIVILEGES& Privileges, const TNotesAclFlags& Flags);
  // A new entry, not yet in the list; Roles as GetRoles gives them.
  TNotesACLEntry(TNotesACL& ACL, const std::string& Name, TNotesAclAccessLevel AccessLevel,
                 const std::string& Roles);
  ~TNotesACLEntry() override;

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Name);
  TNotesAclAccessLevel GetAccessLevel() const { return FAccessLevel; }
  void SetAccessLevel(TNotesAclAccessLevel Level);
  const TNotesAclFlags& GetFlags() const { return FFlags; }
  void SetFlags(const TNotesAclFlags& Flags);
  const ACL_PRIVILEGES& GetPrivileges() const { return FPrivileges; }
  void SetPrivileges(const ACL_PRIVILEGES& Privileges);

  // The names of the roles held, each followed by CR LF, in privilege order.
  std::string GetRoles() const;
  // Holds exactly the roles named one per line (without regard to case); names of no role are
  // ignored.
  void SetRoles(const std::string& Text);
  void AddRole(const std::string& Role);
  void DeleteRole(const std::string& Role);

  bool IsNew() const { return FIsNew; }
  WORD UpdateFlags() const { return FUpdateFlags; }
  // The name the entry has in the in-memory list while a rename is pending; "" otherwise.
  const std::string& OldName() const { return FOldName; }
  // The name the in-memory list knows the entry by, once it is there.
  const std::string& ListName() const { return FOldName.empty() ? FName : FOldName; }

  // Writes the pending changes into the list's in-memory copy.
  void Update();

 private:
  WORD ChangesToWrite(bool DefaultEntry) const;

  TNotesACL& FACL;
  std::string FName;
  std::string FOldName;
  TNotesAclAccessLevel FAccessLevel = aclNoAccess;
  TNotesAclFlags FFlags;
  ACL_PRIVILEGES FPrivileges{};
  bool FIsNew;
  WORD FUpdateFlags;
};
