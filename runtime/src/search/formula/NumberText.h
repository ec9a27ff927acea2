#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/RegionalSettings.h"

namespace notesrt {

// A decimal number with optional sign, fraction and exponent, blanks around it allowed; nothing
// for anything else or a value beyond the range of a double. Decimal is the fraction's mark.
std::optional<double> ParseNumberText(std::u16string_view Text, char16_t Decimal = u'.');
// The number Text begins with (after blanks), up to the first character that cannot be part of
// it; nothing when it does not begin with one.
std::optional<double> LeadingNumber(std::u16string_view Text, char16_t Decimal = u'.');

// In the regional settings. Format is empty or a combination, in any order and case, of G
// (general), F (fixed), S (scientific), C (currency), "," (thousands grouped), "%" (percent),
// "()" (negatives in parentheses) and a count of decimals (0 to 15). Nothing for a format it
// does not know.
std::optional<std::u16string> FormatNumber(double Number, std::u16string_view Format,
                                           const TRegionalSettings& Settings);

}  // namespace notesrt
