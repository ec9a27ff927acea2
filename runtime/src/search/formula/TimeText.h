#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "search/formula/Value.h"
#include "text/RegionalSettings.h"

namespace notesrt {

// Dates and times in the machine's time zone: an ISO date "2024-01-31" or a date in the order
// and with the separator of the regional settings (two-digit years: 50..99 are 19xx, 00..49 are
// 20xx); a clock "10:30", "10:30:15", "10:30:15.25" with ":" or the regional separator and an AM
// or PM (or the regional words) before or after it; or a date and a clock. "a - b" is a range.
// Nothing for anything else.
std::optional<TTimeEntry> ParseTimeText(std::u16string_view Text,
                                        const TRegionalSettings& Settings);

// In the regional settings. Format is empty or a combination, in any order and case, of D0-D3,
// T0-T1, Z0-Z2 and S0-S3 (see TDateTimeFormat). Nothing for a format it does not know or a value
// that is no valid time.
std::optional<std::u16string> FormatTime(const TTimeEntry& Time, std::u16string_view Format,
                                         const TRegionalSettings& Settings);

}  // namespace notesrt
