#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace notesrt {

// The text without the blanks and tabs around it: how settings, design titles and address-book
// keys are compared.
inline std::string_view TrimBlanks(std::string_view Text) {
  constexpr std::string_view Blanks = " \t";
  size_t first = Text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return Text.substr(first, Text.find_last_not_of(Blanks) - first + 1);
}

// The pieces of a comma-separated list (a setting, a recipients text), each trimmed as above;
// empty pieces are left out.
inline std::vector<std::string_view> CommaPieces(std::string_view Text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start <= Text.size()) {
    size_t end = std::min(Text.find(',', start), Text.size());
    std::string_view piece = TrimBlanks(Text.substr(start, end - start));
    if (!piece.empty()) pieces.push_back(piece);
    start = end + 1;
  }
  return pieces;
}

}  // namespace notesrt
