#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

// The texts of an item value (after its type word): one for TYPE_TEXT, one per entry for
// TYPE_TEXT_LIST, none for any other type; nullopt when a list runs past Data.
std::optional<std::vector<std::string_view>> TextValuesOf(WORD Type, std::string_view Data);

}  // namespace notesrt
