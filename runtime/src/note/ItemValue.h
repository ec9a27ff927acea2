#pragma once

#include <optional>
#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

// Reading typed values (after their type word) without trusting their counts: a malformed
// value gives nothing rather than a read past its end.

// The texts of TYPE_TEXT (one entry) and TYPE_TEXT_LIST values.
size_t TextEntryCount(WORD Type, std::string_view Data);
std::optional<std::string_view> TextEntry(WORD Type, std::string_view Data, size_t Index);
// The first number or time of a TYPE_NUMBER/TYPE_TIME value or of a list or range of them.
std::optional<NUMBER> FirstNumber(WORD Type, std::string_view Data);
std::optional<TIMEDATE> FirstTime(WORD Type, std::string_view Data);

}  // namespace notesrt
