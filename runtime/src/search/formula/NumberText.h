#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace notesrt {

// A decimal number with optional sign, fraction and exponent, blanks around it allowed; nothing
// for anything else or a value beyond the range of a double.
std::optional<double> ParseNumberText(std::u16string_view Text);

// Format is empty or a combination of G (general), Fn (fixed, n decimals), Sn (scientific),
// % (percent), "," (thousands grouped) and "()" (negatives in parentheses), case-insensitive.
// Nothing for a format it does not know.
std::optional<std::u16string> FormatNumber(double Number, std::u16string_view Format);

}  // namespace notesrt
