#pragma once

#include <string_view>

namespace notesrt {

// The text without the blanks and tabs around it: how settings, design titles and address-book
// keys are compared.
inline std::string_view TrimBlanks(std::string_view Text) {
  constexpr std::string_view Blanks = " \t";
  size_t first = Text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return Text.substr(first, Text.find_last_not_of(Blanks) - first + 1);
}

}  // namespace notesrt
