#include "note/ItemName.h"

#include <algorithm>

namespace notesrt {

namespace {

char FoldAscii(char C) {
  return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

}  // namespace

bool SameItemName(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
           return FoldAscii(a) == FoldAscii(b);
         });
}

}  // namespace notesrt
