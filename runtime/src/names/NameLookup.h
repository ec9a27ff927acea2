#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "names/AddressBookKeys.h"
#include "notesapi/global.h"

namespace notesrt {

// What NAMELookup was asked, decoded: LMBCS names and items.
struct TNameLookupRequest {
  WORD Flags = 0;
  std::vector<TNameSpace> Spaces;
  std::vector<std::string> Names;
  std::vector<std::string> Items;
};

// Runs a lookup over the address books of Server (LMBCS; empty for the local books) and
// returns the result in the layout of NameLookupBuffer.h. ERR_NO_NAMES_FILE when there is no
// book; a book that cannot be opened fails the lookup with its status.
std::string LookUpNames(std::string_view Server, const TNameLookupRequest& Request);

// The name space a NAMELookup name space names: "$Users", "($Users)" or the whole title
// "($Users)|$Users", likewise for groups, without regard to case; ERR_NO_SUCH_NAMESPACE else.
TNameSpace NameSpaceOf(std::string_view Name);

}  // namespace notesrt
