#pragma once

#include <string>

// Comparisons in the manner of the platform's user-locale string compare, used for sorting and
// searching string lists. Case is folded for every script (not only ASCII); beyond that, code
// points order the strings.

// Case-insensitive: "a" and "A" are equal, and both sort before "B".
int AnsiCompareText(const std::string& S1, const std::string& S2);

// Case-sensitive, with the letter order kept: "a" < "A" < "b" < "B". Equal only for equal bytes.
int AnsiCompareStr(const std::string& S1, const std::string& S2);
