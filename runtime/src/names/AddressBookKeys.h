#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/StoredNote.h"

namespace notesrt {

// The name spaces an address book answers, as the key index numbers them.
enum class TNameSpace { Users = 0, Groups = 1 };

// What the key index holds for one person or group document: its name space and its lookup
// keys (case-folded UTF-8, no duplicates), in the order they were found.
struct TAddressBookEntry {
  TNameSpace Space;
  std::vector<std::string> Keys;
};

// A person (Type or Form "Person") or group (Type or Form "Group") document; nullopt for any
// other note. Person keys: every FullName value as stored, canonical and abbreviated, and its
// common name; ShortName, InternetAddress, FirstName, LastName and "FirstName LastName". Group
// keys: every ListName value in the same forms.
std::optional<TAddressBookEntry> AddressBookEntryOf(const TStoredNote& Note);

// The keys a looked-up name (LMBCS) matches: the name itself and, for a hierarchical name, its
// canonical form, folded like the stored keys.
std::vector<std::string> LookupKeysOf(std::string_view Name);

}  // namespace notesrt
