#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace notesrt {

// A byte of an item name as names are compared: ASCII letters in upper case.
inline char FoldItemNameChar(char C) {
  return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

// Item names match without regard to case. Notes item names are ASCII in practice, so folding
// the ASCII letters of the LMBCS bytes is enough and leaves every other byte as it is. Inline:
// a lookup compares every stored item of thousands of documents with each name it wants.
inline bool SameItemName(std::string_view A, std::string_view B) {
  // Names are mostly asked for as they are written: equal bytes need no folding.
  return A.size() == B.size() &&
         (A == B || std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
            return FoldItemNameChar(a) == FoldItemNameChar(b);
          }));
}

}  // namespace notesrt
