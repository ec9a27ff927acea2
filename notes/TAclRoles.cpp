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

class TAclRoles::TPrivilege : public TObject {
 public:
  explicit TPrivilege(WORD Number) : Number(Number) {}
  const WORD Number;
};

TAclRoles::TAclRoles(TNotesACL& Owner) : FOwner(Owner) {
  SetOwnsObjects(true);
}

// The privilege objects are the list's whatever a caller made of OwnsObjects.
TAclRoles::~TAclRoles() {
  SetOwnsObjects(true);
}

void TAclRoles::Load() {
  SetOwnsObjects(true);
  TStringList::Clear();
  for (WORD number = 0; number < ACL_PRIVCOUNT; ++number) {
    char name[PrivilegeNameBuffer] = {};
    STATUS status = ACLGetPrivName(FOwner.ACLHandle(), number, name);
    if (ERR(status) == ERR_ACL_NOENTRY) break;
    CheckNotesStatus(status);
    std::string role = PlainRoleName(Trim(Lmbcs2Native(name)));
    if (number < ACL_BITPRIVCOUNT || role.empty()) continue;
    TStringList::AddObject(role, new TPrivilege(number));
  }
}

int TAclRoles::PrivilegeOf(int Index) const {
  return static_cast<const TPrivilege*>(Objects(Index))->Number;
}

int TAclRoles::IndexOfPrivilege(int Bit) const {
  for (int index = 0; index < Count(); ++index)
    if (PrivilegeOf(index) == Bit) return index;
  return -1;
}

int TAclRoles::AddObject(std::string S, TObject*) {
  int number = ACL_BITPRIVCOUNT;
  for (int index = 0; index < Count(); ++index) number = std::max(number, PrivilegeOf(index) + 1);
  NamePrivilege(static_cast<WORD>(number), S);
  return TStringList::AddObject(std::move(S), new TPrivilege(static_cast<WORD>(number)));
}

void TAclRoles::InsertObject(int, std::string S, TObject* AObject) {
  AddObject(std::move(S), AObject);
}

// The line changes first, so that what the list refuses (a sorted list, an index out of range)
// never reaches the access control list.
void TAclRoles::Put(int Index, const std::string& S) {
  const std::string old = Strings(Index);
  TStringList::Put(Index, S);
  try {
    NamePrivilege(static_cast<WORD>(PrivilegeOf(Index)), S);
  } catch (...) {
    TStringList::Put(Index, old);
    throw;
  }
}

void TAclRoles::PutObject(int, TObject*) {
  NotSupported();
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
