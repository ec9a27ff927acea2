#pragma once

#include <string>
#include <vector>

namespace vesktest {

// The lines of a string list, for comparing a whole list in one expectation.
template <class TList>
std::vector<std::string> LinesOf(const TList& List) {
  std::vector<std::string> Lines;
  for (int Index = 0; Index < List.Count(); ++Index) Lines.push_back(List.Strings(Index));
  return Lines;
}

}  // namespace vesktest
