#include "TNotesACL.h"

#include <algorithm>
#include <exception>

#include "AnsiCompare.h"
#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "SysUtils.h"
#include "TAclRoles.h"
#include "TNotesDatabase.h"

namespace {

// What the entry handler needs; an exception must not unwind through the Notes library, so it
// waits here until ACLEnumEntries has returned.
struct TReadContext {
  TNotesACL& ACL;
  std::exception_ptr Error;
};

}  // namespace

TNotesACL::TNotesACL(TNotesDatabase& Database)
    : FDatabase(Database), FRoles(std::make_unique<TAclRoles>(*this)) {
  CheckNotesStatus(NSFDbReadACL(FDatabase.Handle(), FACLHandle.Receive()));
  FRoles->Load();
  ReadEntries();
}

TNotesACL::~TNotesACL() = default;

DHANDLE TNotesACL::ACLHandle() const {
  if (!FACLHandle)
    throw ELotusNotes(-1, "The access control list of " + FClosedFile +
                              " cannot be used: the database was closed");
  return FACLHandle.Get();
}

void TNotesACL::DatabaseClosed() {
  FClosedFile = FDatabase.FileName();
  FACLHandle.Reset();
}

TNotesACLEntry* TNotesACL::GetEntryByIndex(int Index) const {
  if (Index < 0 || Index >= GetEntriesCount())
    throw ELotusNotes(-1, Format("List index out of bounds (%d)", Index));
  return FEntries[static_cast<size_t>(Index)].get();
}

TNotesACLEntry* TNotesACL::GetEntry(const std::string& Name) const {
  auto found = Find(Name);
  return found == FEntries.end() ? nullptr : found->get();
}

TNotesACLEntry* TNotesACL::CreateACLEntry(const std::string& Name) {
  if (GetEntry(Name)) throw ELotusNotes(-1, "Entry with name " + Name + " already exists");
  // Refused now rather than by every later Save.
  if (Trim(Name).empty()) throw ELotusNotes(-1, "Entry name is blank");
  FEntries.push_back(std::make_unique<TNotesACLEntry>(*this, Name, aclNoAccess, ""));
  return FEntries.back().get();
}

// A new entry is not in the in-memory copy yet, and a renamed one is there under its old name.
void TNotesACL::DeleteACLEntry(const std::string& Name) {
  auto found = Find(Name);
  if (found == FEntries.end()) return;
  const TNotesACLEntry& entry = **found;
  if (!entry.IsNew())
    CheckNotesStatus(ACLDeleteEntry(ACLHandle(), Native2Lmbcs(entry.ListName()).c_str()));
  FEntries.erase(found);
}

bool TNotesACL::GetUniformAccess() const {
  DWORD flags = 0;
  CheckNotesStatus(ACLGetFlags(ACLHandle(), &flags));
  return flags & ACL_UNIFORM_ACCESS;
}

void TNotesACL::SetUniformAccess(bool Value) {
  DWORD flags = 0;
  CheckNotesStatus(ACLGetFlags(ACLHandle(), &flags));
  flags = Value ? flags | ACL_UNIFORM_ACCESS : flags & ~DWORD{ACL_UNIFORM_ACCESS};
  CheckNotesStatus(ACLSetFlags(ACLHandle(), flags));
}

void TNotesACL::Save() {
  const DHANDLE list = ACLHandle();
  for (const auto& entry : FEntries) entry->Update();
  CheckNotesStatus(NSFDbStoreACL(FDatabase.Handle(), list, 0, 0));
}

TNotesACL::TEntries::const_iterator TNotesACL::Find(const std::string& Name) const {
  return std::find_if(FEntries.begin(), FEntries.end(), [&](const auto& Entry) {
    return AnsiCompareText(Entry->GetName(), Name) == 0;
  });
}

void TNotesACL::ReadEntries() {
  TReadContext context{*this, nullptr};
  CheckNotesStatus(ACLEnumEntries(ACLHandle(), AddReadEntry, &context));
  if (context.Error) std::rethrow_exception(context.Error);
}

void LNCALLBACK TNotesACL::AddReadEntry(void* Param, char* Name, WORD AccessLevel,
                                        ACL_PRIVILEGES* Privileges, WORD AccessFlags) {
  auto& context = *static_cast<TReadContext*>(Param);
  if (context.Error) return;
  try {
    context.ACL.FEntries.push_back(
        std::make_unique<TNotesACLEntry>(context.ACL, Lmbcs2Native(Name), AclLevelOf(AccessLevel),
                                         *Privileges, AclFlagsOf(AccessFlags)));
  } catch (...) {
    context.Error = std::current_exception();
  }
}
