#include "TNotesACLEntry.h"

#include <array>
#include <cstring>

#include "AnsiCompare.h"
#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "StringList.h"
#include "TAclRoles.h"
#include "TNotesACL.h"

namespace {

// The bit of each TNotesAclFlag, in the order of the enumeration.
constexpr std::array<WORD, acfAdminServer + 1> FlagBits{
    ACL_FLAG_AUTHOR_NOCREATE, ACL_FLAG_SERVER,          ACL_FLAG_NODELETE,
    ACL_FLAG_CREATE_PRAGENT,  ACL_FLAG_CREATE_PRFOLDER, ACL_FLAG_PERSON,
    ACL_FLAG_GROUP,           ACL_FLAG_CREATE_FOLDER,   ACL_FLAG_CREATE_LOTUSSCRIPT,
    ACL_FLAG_PUBLICREADER,    ACL_FLAG_PUBLICWRITER,    ACL_FLAG_ADMIN_READERAUTHOR,
    ACL_FLAG_ADMIN_SERVER};

constexpr char DefaultEntryName[] = "-Default-";
constexpr WORD AllChanges = TNotesACLEntry::ChangedName | TNotesACLEntry::ChangedLevel |
                            TNotesACLEntry::ChangedPrivileges | TNotesACLEntry::ChangedFlags;

// The runtime's form of a name: none for the default entry.
const char* ListNameArg(const std::string& Lmbcs, const std::string& Native) {
  if (Native.empty() || AnsiCompareText(Native, DefaultEntryName) == 0) return nullptr;
  return Lmbcs.c_str();
}

}  // namespace

WORD AclLevelNumber(TNotesAclAccessLevel Level) {
  return static_cast<WORD>(Level);
}

TNotesAclAccessLevel AclLevelOf(WORD Number) {
  return Number <= aclManager ? static_cast<TNotesAclAccessLevel>(Number) : aclNoAccess;
}

WORD AclFlagsWord(const TNotesAclFlags& Flags) {
  WORD word = 0;
  for (TNotesAclFlag flag : Flags) word |= FlagBits[flag];
  return word;
}

TNotesAclFlags AclFlagsOf(WORD Word) {
  TNotesAclFlags flags;
  for (size_t flag = 0; flag < FlagBits.size(); ++flag)
    if (Word & FlagBits[flag]) flags.insert(static_cast<TNotesAclFlag>(flag));
  return flags;
}

TNotesACLEntry::TNotesACLEntry(TNotesACL& ACL, const std::string& Name,
                               TNotesAclAccessLevel AccessLevel, const ACL_PRIVILEGES& Privileges,
                               const TNotesAclFlags& Flags)
    : FACL(ACL),
      FName(Name),
      FAccessLevel(AccessLevel),
      FFlags(Flags),
      FPrivileges(Privileges),
      FIsNew(false),
      FUpdateFlags(0) {}

TNotesACLEntry::TNotesACLEntry(TNotesACL& ACL, const std::string& Name,
                               TNotesAclAccessLevel AccessLevel, const std::string& Roles)
    : FACL(ACL), FIsNew(true), FUpdateFlags(AllChanges) {
  SetName(Name);
  SetAccessLevel(AccessLevel);
  SetRoles(Roles);
}

// Pending changes go with the entry: it leaves only with its list (freed unstored) or through
// DeleteACLEntry (gone from the list).
TNotesACLEntry::~TNotesACLEntry() = default;

void TNotesACLEntry::SetName(const std::string& Name) {
  if (Name == FName) return;
  if (FOldName.empty()) FOldName = FName;
  FName = Name;
  FUpdateFlags |= ChangedName;
}

void TNotesACLEntry::SetAccessLevel(TNotesAclAccessLevel Level) {
  if (Level == FAccessLevel) return;
  FAccessLevel = Level;
  FUpdateFlags |= ChangedLevel;
}

void TNotesACLEntry::SetFlags(const TNotesAclFlags& Flags) {
  if (Flags == FFlags) return;
  FFlags = Flags;
  FUpdateFlags |= ChangedFlags;
}

void TNotesACLEntry::SetPrivileges(const ACL_PRIVILEGES& Privileges) {
  FPrivileges = Privileges;
  FUpdateFlags |= ChangedPrivileges;
}

std::string TNotesACLEntry::GetRoles() const {
  const TAclRoles& roles = FACL.Roles();
  std::string text;
  for (int bit = 0; bit < ACL_PRIVCOUNT; ++bit) {
    int index = roles.IndexOfPrivilege(bit);
    if (index >= 0 && ACLIsPrivSet(FPrivileges, bit)) text += roles.Strings(index) + "\r\n";
  }
  return text;
}

void TNotesACLEntry::SetRoles(const std::string& Text) {
  const TAclRoles& roles = FACL.Roles();
  TStringList lines;
  lines.SetText(Text);
  std::memset(&FPrivileges, 0, sizeof FPrivileges);
  for (int line = 0; line < lines.Count(); ++line) {
    int index = roles.IndexOf(lines.Strings(line));
    if (index >= 0) ACLSetPriv(FPrivileges, roles.PrivilegeOf(index));
  }
  FUpdateFlags |= ChangedPrivileges;
}

// Whole lines are compared, so that holding "SuperAdmin" does not count as holding "Admin".
void TNotesACLEntry::AddRole(const std::string& Role) {
  TStringList held;
  held.SetText(GetRoles());
  if (held.IndexOf(Role) >= 0) return;
  held.Add(Role);
  SetRoles(held.Text());
}

void TNotesACLEntry::DeleteRole(const std::string& Role) {
  TStringList held;
  held.SetText(GetRoles());
  int index = held.IndexOf(Role);
  if (index < 0) return;
  held.Delete(index);
  SetRoles(held.Text());
}

void TNotesACLEntry::Update() {
  if (!FIsNew && FUpdateFlags == 0) return;
  if (FOldName.empty()) FOldName = FName;
  const std::string name = Native2Lmbcs(FName), oldName = Native2Lmbcs(FOldName);
  const char* nameArg = ListNameArg(name, FName);
  const WORD flags = AclFlagsWord(FFlags), level = AclLevelNumber(FAccessLevel);
  if (FIsNew) {
    CheckNotesStatus(ACLAddEntry(FACL.ACLHandle(), nameArg, level, &FPrivileges, flags));
  } else {
    const char* oldNameArg = ListNameArg(oldName, FOldName);
    CheckNotesStatus(ACLUpdateEntry(FACL.ACLHandle(), oldNameArg,
                                    ChangesToWrite(!oldNameArg && !nameArg), nameArg, level,
                                    &FPrivileges, flags));
  }
  FIsNew = false;
  FUpdateFlags = 0;
  FOldName.clear();
}

// Notes clears whatever a rename does not also set, so a rename writes every field. The default
// entry written as "-DEFAULT-" keeps its name: it cannot be renamed.
WORD TNotesACLEntry::ChangesToWrite(bool DefaultEntry) const {
  if (DefaultEntry) return FUpdateFlags & ~ChangedName;
  return FUpdateFlags & ChangedName ? AllChanges : FUpdateFlags;
}
