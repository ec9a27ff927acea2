#include "names/AddressBookKeys.h"

#include <algorithm>

#include "core/EStatus.h"
#include "names/NameLookupValues.h"
#include "note/ItemName.h"
#include "notesapi/nsfnote.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"
#include "text/TextTrim.h"

namespace notesrt {

namespace {

class TKeyList {
 public:
  void Add(std::string_view Lmbcs) {
    std::string_view text = TrimBlanks(Lmbcs);
    if (text.empty()) return;
    std::string key = FoldUtf8(LmbcsToUtf8(text));
    if (std::find(FKeys.begin(), FKeys.end(), key) == FKeys.end()) FKeys.push_back(key);
  }
  std::vector<std::string> Take() { return std::move(FKeys); }

 private:
  std::vector<std::string> FKeys;
};

const TStoredItem* FindItem(const TStoredNote& Note, std::string_view Name) {
  for (const TStoredItem& item : Note.Items)
    if (SameItemName(item.Name, Name)) return &item;
  return nullptr;
}

std::vector<std::string_view> Values(const TStoredNote& Note, std::string_view Name) {
  const TStoredItem* item = FindItem(Note, Name);
  if (!item) return {};
  return TextValuesOf(item->Type, item->Value).value_or(std::vector<std::string_view>{});
}

std::string_view FirstValue(const TStoredNote& Note, std::string_view Name) {
  std::vector<std::string_view> values = Values(Note, Name);
  return values.empty() ? std::string_view() : TrimBlanks(values.front());
}

bool HasValue(const TStoredNote& Note, std::string_view Name, std::string_view Wanted) {
  for (std::string_view value : Values(Note, Name))
    if (SameItemName(TrimBlanks(value), Wanted)) return true;
  return false;
}

std::optional<TNameSpace> SpaceOf(const TStoredNote& Note) {
  if (Note.Header.Class != NOTE_CLASS_DOCUMENT || !Note.Header.ProfileName.empty())
    return std::nullopt;
  auto kindIs = [&](std::string_view Kind) {
    return HasValue(Note, "Type", Kind) || HasValue(Note, "Form", Kind);
  };
  if (kindIs("Person")) return TNameSpace::Users;
  if (kindIs("Group")) return TNameSpace::Groups;
  return std::nullopt;
}

// A name with more organisational units than a name may have has no canonical form; it is
// still found as written.
void AddNameForms(TKeyList& Keys, std::string_view Name) {
  Keys.Add(Name);
  TDistinguishedName name(Name);
  try {
    std::string canonical = name.Canonical();
    Keys.Add(canonical);
    Keys.Add(TDistinguishedName(canonical).Abbreviated());
    if (std::optional<TDnComponents> parts = TDistinguishedName(canonical).Components())
      Keys.Add(parts->CN);
  } catch (const EStatus&) {
  }
}

std::vector<std::string> PersonKeys(const TStoredNote& Note) {
  TKeyList keys;
  for (std::string_view fullName : Values(Note, "FullName")) AddNameForms(keys, fullName);
  for (const char* item : {"ShortName", "InternetAddress", "FirstName", "LastName"})
    for (std::string_view value : Values(Note, item)) keys.Add(value);
  std::string_view first = FirstValue(Note, "FirstName");
  std::string_view last = FirstValue(Note, "LastName");
  if (!first.empty() && !last.empty()) keys.Add(std::string(first) + " " + std::string(last));
  return keys.Take();
}

std::vector<std::string> GroupKeys(const TStoredNote& Note) {
  TKeyList keys;
  for (std::string_view listName : Values(Note, "ListName")) AddNameForms(keys, listName);
  return keys.Take();
}

}  // namespace

std::optional<TAddressBookEntry> AddressBookEntryOf(const TStoredNote& Note) {
  std::optional<TNameSpace> space = SpaceOf(Note);
  if (!space) return std::nullopt;
  return TAddressBookEntry{*space,
                           *space == TNameSpace::Users ? PersonKeys(Note) : GroupKeys(Note)};
}

std::vector<std::string> LookupKeysOf(std::string_view Name) {
  TKeyList keys;
  keys.Add(Name);
  TDistinguishedName name(Name);
  bool hierarchical = name.Form() == TDistinguishedName::TForm::Abbreviated ||
                      name.Form() == TDistinguishedName::TForm::Canonical;
  if (hierarchical) {
    try {
      keys.Add(name.Canonical());
    } catch (const EStatus&) {
    }
  }
  return keys.Take();
}

}  // namespace notesrt
