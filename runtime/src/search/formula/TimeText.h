#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "search/formula/Value.h"

namespace notesrt {

// Dates and times in the machine's time zone: ISO "2024-01-31", US "01/31/2024" (two-digit
// years: 50..99 are 19xx, 00..49 are 20xx), a clock "10:30", "10:30:15", "10:30:15.25" with an
// optional AM or PM, or a date and a clock. "a - b" is a range. Nothing for anything else.
std::optional<TTimeEntry> ParseTimeText(std::u16string_view Text);

// ISO form, "2024-01-31 10:30:15". Format is empty or a combination, case-insensitive, of
// D0 (year, month, day), D2 (month and day), D3 (year and month), T0 (hours, minutes, seconds),
// T1 (hours and minutes), S0 (date only), S1 (time only), S2 (both). Nothing for a format it
// does not know or a value that is no valid time.
std::optional<std::u16string> FormatTime(const TTimeEntry& Time, std::u16string_view Format);

}  // namespace notesrt
