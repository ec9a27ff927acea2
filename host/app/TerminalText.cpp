#include "TerminalText.h"

namespace {

bool IsBreakOrTab(char C) {
  return C == '\t' || C == '\n' || C == '\v' || C == '\f' || C == '\r';
}

bool IsControl(unsigned char C) {
  return C < 0x20 || C == 0x7F;
}

// C1 controls U+0080 to U+009F, written in UTF-8 as C2 80 to C2 9F.
bool IsC1At(std::string_view Text, size_t Index) {
  return static_cast<unsigned char>(Text[Index]) == 0xC2 && Index + 1 < Text.size() &&
         static_cast<unsigned char>(Text[Index + 1]) >= 0x80 &&
         static_cast<unsigned char>(Text[Index + 1]) <= 0x9F;
}

}  // namespace

std::string TerminalText(std::string_view Text) {
  std::string Result;
  Result.reserve(Text.size());
  for (size_t Index = 0; Index < Text.size(); ++Index) {
    const char C = Text[Index];
    if (IsBreakOrTab(C)) {
      if (C == '\r' && Index + 1 < Text.size() && Text[Index + 1] == '\n') ++Index;
      Result += ' ';
    } else if (IsControl(static_cast<unsigned char>(C))) {
      Result += '?';
    } else if (IsC1At(Text, Index)) {
      Result += '?';
      ++Index;
    } else {
      Result += C;
    }
  }
  return Result;
}
