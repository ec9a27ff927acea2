#include "acl/EffectiveAccess.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "core/EStatus.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"

namespace notesrt {

namespace {

// Flags that take a right away: a merge keeps them only when every merged entry has them.
constexpr WORD RestrictingFlags = ACL_FLAG_AUTHOR_NOCREATE | ACL_FLAG_NODELETE;

struct TMerged {
  bool Found = false;
  TAclEntry Entry;

  void Add(const TAclEntry& Other) {
    if (!Found) {
      Found = true;
      Entry = Other;
      return;
    }
    Entry.Level = std::max(Entry.Level, Other.Level);
    WORD restricting = Entry.Flags & Other.Flags & RestrictingFlags;
    Entry.Flags =
        static_cast<WORD>(((Entry.Flags | Other.Flags) & ~RestrictingFlags) | restricting);
    for (size_t byte = 0; byte < sizeof Entry.Privileges.BitMask; ++byte)
      Entry.Privileges.BitMask[byte] |= Other.Privileges.BitMask[byte];
  }
};

// The keys of the user's own names and of every group that holds one of them, nested groups
// included; each group is taken once, so a cycle ends.
std::unordered_set<std::string> HeldNames(const TAccessor& Accessor) {
  std::unordered_set<std::string> held;
  if (!Accessor.User.empty()) held.insert(NameKey(Accessor.User));
  if (Accessor.Server) held.insert(NameKey(LocalDomainServers));
  std::vector<bool> taken(Accessor.Groups.size(), false);
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t index = 0; index < Accessor.Groups.size(); ++index) {
      const TDirectoryGroup& group = Accessor.Groups[index];
      bool member = std::any_of(group.Members.begin(), group.Members.end(),
                                [&](const std::string& Name) { return held.count(NameKey(Name)); });
      if (taken[index] || !member) continue;
      taken[index] = changed = true;
      for (const std::string& name : group.Names) held.insert(NameKey(name));
    }
  }
  return held;
}

// "*/O=Demo" (or "*/Demo") matches every name of that organisation.
bool WildcardMatches(std::string_view Entry, const std::string& User) {
  if (Entry.size() < 2 || Entry.substr(0, 2) != "*/" || User.empty()) return false;
  std::string suffix = FoldLmbcs(Entry.substr(1));
  TDistinguishedName name(User);
  for (const std::string& form : {FoldLmbcs(name.Canonical()), FoldLmbcs(name.Abbreviated())})
    if (form.size() > suffix.size() && form.ends_with(suffix)) return true;
  return false;
}

std::vector<std::string> NameList(const std::unordered_set<std::string>& Held, const TAcl& Acl,
                                  const ACL_PRIVILEGES& Privileges) {
  std::vector<std::string> names(Held.begin(), Held.end());
  for (WORD bit = ACL_BITPRIVCOUNT; bit < ACL_PRIVCOUNT; ++bit) {
    const std::string& role = Acl.PrivilegeName(bit);
    if (ACLIsPrivSet(Privileges, bit) && !role.empty()) names.push_back(NameKey("[" + role + "]"));
  }
  return names;
}

}  // namespace

std::unique_ptr<TAccess> EffectiveAccess(const TAcl& Acl, const TAccessor& Accessor) {
  std::unordered_set<std::string> held = HeldNames(Accessor);
  std::string user = Accessor.User.empty() ? std::string() : NameKey(Accessor.User);
  std::optional<TAclEntry> own;
  TMerged groups, wildcards;
  const std::vector<TAclEntry>& entries = Acl.Entries();
  for (size_t index = 1; index < entries.size(); ++index) {
    const TAclEntry& entry = entries[index];
    std::string key = NameKey(entry.Name);
    if (!user.empty() && key == user)
      own = entry;
    else if (held.count(key))
      groups.Add(entry);
    else if (WildcardMatches(entry.Name, Accessor.User))
      wildcards.Add(entry);
  }
  const TAclEntry& decided = own               ? *own
                             : groups.Found    ? groups.Entry
                             : wildcards.Found ? wildcards.Entry
                                               : entries.front();
  return std::make_unique<TAccess>(decided.Level, decided.Flags,
                                   NameList(held, Acl, decided.Privileges), Accessor.Server);
}

}  // namespace notesrt
