#include "ShellWords.h"

#include <cstring>

namespace {

bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\n' || C == '\r';
}

// Appends the quoted part starting at the opening quote Text[Pos]; Pos ends after the closing
// one.
void TakeQuoted(const std::string& Text, size_t& Pos, std::string& Word) {
  char Quote = Text[Pos++];
  while (Pos < Text.size() && Text[Pos] != Quote) {
    if (Quote == '"' && Text[Pos] == '\\' && Pos + 1 < Text.size() &&
        std::strchr("\"\\$`", Text[Pos + 1]))
      ++Pos;
    Word += Text[Pos++];
  }
  if (Pos < Text.size()) ++Pos;
}

}  // namespace

std::vector<std::string> SplitShellWords(const std::string& Text) {
  std::vector<std::string> Words;
  size_t Pos = 0;
  while (Pos < Text.size()) {
    while (Pos < Text.size() && IsBlank(Text[Pos])) ++Pos;
    if (Pos == Text.size()) break;
    std::string Word;
    while (Pos < Text.size() && !IsBlank(Text[Pos])) {
      char C = Text[Pos];
      if (C == '\'' || C == '"') {
        TakeQuoted(Text, Pos, Word);
      } else {
        if (C == '\\' && Pos + 1 < Text.size()) ++Pos;
        Word += Text[Pos++];
      }
    }
    Words.push_back(std::move(Word));
  }
  return Words;
}
