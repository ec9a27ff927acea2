#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Names and keywords compare without regard to the case of their ASCII letters.
std::u16string AsciiUpper(std::u16string_view Text);
// Without white space at either end.
std::u16string TrimBlanks(std::u16string_view Text);
// Unicode case mappings in the root locale, so results do not depend on the machine.
std::u16string UpperCase(std::u16string_view Text);
std::u16string LowerCase(std::u16string_view Text);
// The first letter of every word in upper case, the others in lower case.
std::u16string ProperCase(std::u16string_view Text);

}  // namespace notesrt
