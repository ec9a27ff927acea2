#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/global.h"
#include "storage/TextValues.h"

namespace notesrt {

// Member Member of a value as text: the texts above, or for numbers, times and their ranges
// the text form as member 0. nullopt past the last member; Convertible tells whether the type
// has a text form at all.
std::optional<std::string> TextMemberOf(WORD Type, std::string_view Data, size_t Member,
                                        bool& Convertible);

}  // namespace notesrt
