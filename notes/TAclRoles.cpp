#include "TAclRoles.h"

#include <algorithm>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "SysUtils.h"
#include "TNotesACL.h"

namespace {

// ACLGetPrivName's buffer: ACL_PRIVSTRINGMAX and a byte to spare.
constexpr size_t PrivilegeNameBuffer = 19;

// "[Role]" as Notes gives a role name, back to the plain name it is set with.
std::string PlainRoleName(const std::string& Name) {
  if (Name.size() >= 2 && Name.front() == '[' && Name.back() == ']')
    return Name.substr(1, Name.size() - 2);
  return Name;
}

[[noreturn]] void NotSupported() {
  throw ELotusNotes(-1, "Action is not supported");
}

}  // namespace

void TAclRoles::Load() {
  TStringList::Clear();
  FPrivileges.clear();
  for (WORD number = 0; number < ACL_PRIVCOUNT; ++number) {
    char name[PrivilegeNameBuffer] = {};
    STATUS status = ACLGetPrivName(FOwner.ACLHandle(), number, name);
    if (ERR(status) == ERR_ACL_NOENTRY) break;
    CheckNotesStatus(status);
    std::string role = PlainRoleName(Trim(Lmbcs2Native(name)));
    if (number < ACL_BITPRIVCOUNT || role.empty()) continue;
    TStringList::AddObject(role, nullptr);
    FPrivileges.push_back(number);
  }
}

int TAclRoles::PrivilegeOf(int Index) const {
  Strings(Index);  // the index check of the list
  return FPrivileges[static_cast<size_t>(Index)];
}

int TAclRoles::IndexOfPrivilege(int Bit) const {
  auto found = std::find(FPrivileges.begin(), FPrivileges.end(), Bit);
  return found == FPrivileges.end() ? -1 : static_cast<int>(found - FPrivileges.begin());
}

int TAclRoles::AddObject(std::string S, TObject* AObject) {
  const WORD number =
      FPrivileges.empty() ? ACL_BITPRIVCOUNT : static_cast<WORD>(FPrivileges.back() + 1);
  NamePrivilege(number, S);
  int index = TStringList::AddObject(std::move(S), AObject);
  FPrivileges.push_back(number);
  return index;
}

void TAclRoles::InsertObject(int, std::string S, TObject* AObject) {
  AddObject(std::move(S), AObject);
}

void TAclRoles::Put(int Index, const std::string& S) {
  NamePrivilege(static_cast<WORD>(PrivilegeOf(Index)), S);
  TStringList::Put(Index, S);
}

void TAclRoles::Delete(int) {
  NotSupported();
}

void TAclRoles::Clear() {
  NotSupported();
}

// A blank name would leave the privilege unnamed, which reads back as no role at all.
void TAclRoles::NamePrivilege(WORD Number, const std::string& Name) {
  if (Trim(Name).empty()) throw ELotusNotes(-1, "Role name is blank");
  std::string lmbcs = Native2Lmbcs(Name);
  CheckNotesStatus(ACLSetPrivName(FOwner.ACLHandle(), Number, lmbcs.data()));
}
