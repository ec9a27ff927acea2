#include "acl/Acl.h"

#include <algorithm>

#include "core/EStatus.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "text/TextFold.h"

namespace notesrt {

TAcl::TAcl(WORD DefaultLevel, WORD DefaultFlags) {
  FEntries.push_back(TAclEntry{std::string(DefaultName), DefaultLevel, {}, DefaultFlags});
  FKeys.push_back(FoldLmbcs(DefaultName));
}

void TAcl::Add(TAclEntry Entry) {
  CheckEntry(Entry);
  if (Find(Entry.Name)) throw EStatus(ERR_NOTESRT_ACL_DUPLICATE);
  if (FEntries.size() >= MaxEntries) throw EStatus(ERR_ACL_FULL);
  FKeys.push_back(FoldLmbcs(Entry.Name));
  FEntries.push_back(std::move(Entry));
}

void TAcl::Update(const char* Name, WORD What, const TAclEntry& New) {
  size_t index = IndexOf(Name);
  TAclEntry entry = What & ACL_UPDATE_NAME ? Renamed(index, New.Name) : FEntries[index];
  if (What & ACL_UPDATE_LEVEL) entry.Level = New.Level;
  if (What & ACL_UPDATE_PRIVILEGES) entry.Privileges = New.Privileges;
  if (What & ACL_UPDATE_FLAGS) entry.Flags = New.Flags;
  CheckEntry(entry);
  FKeys[index] = FoldLmbcs(entry.Name);
  FEntries[index] = std::move(entry);
}

void TAcl::Delete(const char* Name) {
  size_t index = IndexOf(Name);
  if (index == 0) throw EStatus(ERR_ACL_UNDELETABLE);
  FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(index));
  FKeys.erase(FKeys.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string TAcl::PrivilegeText(WORD Number) const {
  if (Number >= ACL_PRIVCOUNT) throw EStatus(ERR_ACL_NOENTRY);
  const std::string& name = FPrivilegeNames[Number];
  if (name.empty()) return name;
  return Number < ACL_BITPRIVCOUNT ? "(" + name + ")" : "[" + name + "]";
}

void TAcl::SetPrivilegeName(WORD Number, std::string_view Name) {
  if (Number >= ACL_PRIVCOUNT) throw EStatus(ERR_ACL_FULL);
  if (Name.size() >= ACL_PRIVNAMEMAX) throw EStatus(ERR_MISC_INVALID_ARGS);
  std::string key = FoldLmbcs(Name);
  for (WORD other = 0; other < ACL_PRIVCOUNT; ++other) {
    if (other != Number && !key.empty() && FoldLmbcs(FPrivilegeNames[other]) == key)
      throw EStatus(ERR_NOTESRT_ACL_DUPLICATE);
  }
  FPrivilegeNames[Number] = Name;
}

// The default entry answers to its enumerated name too, so that a name read back works.
size_t TAcl::IndexOf(const char* Name) const {
  if (!Name) return 0;
  std::optional<size_t> index = Find(Name);
  if (!index) throw EStatus(ERR_ACL_NOENTRY);
  return *index;
}

std::optional<size_t> TAcl::Find(std::string_view Name) const {
  auto found = std::find(FKeys.begin(), FKeys.end(), FoldLmbcs(Name));
  if (found == FKeys.end()) return std::nullopt;
  return static_cast<size_t>(found - FKeys.begin());
}

// Notes deletes and re-creates a renamed entry, so whatever the caller does not set again is
// cleared; the default entry cannot be deleted, hence not renamed.
TAclEntry TAcl::Renamed(size_t Index, const std::string& NewName) const {
  if (Index == 0) throw EStatus(ERR_ACL_UNDELETABLE);
  std::optional<size_t> other = Find(NewName);
  if (other && *other != Index) throw EStatus(ERR_NOTESRT_ACL_DUPLICATE);
  TAclEntry entry;
  entry.Name = NewName;
  return entry;
}

void TAcl::CheckEntry(const TAclEntry& Entry) {
  if (Entry.Name.empty() || Entry.Name.size() >= MAXUSERNAME || Entry.Level > ACL_LEVEL_HIGHEST)
    throw EStatus(ERR_MISC_INVALID_ARGS);
}

}  // namespace notesrt
