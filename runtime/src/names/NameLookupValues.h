#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

// The texts of an item value (after its type word): one for TYPE_TEXT, one per entry for
// TYPE_TEXT_LIST, none for any other type; nullopt when a list runs past Data.
std::optional<std::vector<std::string_view>> TextValuesOf(WORD Type, std::string_view Data);

// Member Member of a value as text: the texts above, or for numbers, times and their ranges
// the text form as member 0. nullopt past the last member; Convertible tells whether the type
// has a text form at all.
std::optional<std::string> TextMemberOf(WORD Type, std::string_view Data, size_t Member,
                                        bool& Convertible);

}  // namespace notesrt
