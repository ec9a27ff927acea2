#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "NotesApi.h"

// Reads a text that Notes copies into a caller's buffer, cutting it to fit, so that it is
// never cut: Read(Buffer, Size) fills Buffer (NUL-terminated within Size) and returns false
// when there is no text. A text that came close to filling the buffer (Notes cuts between
// characters of up to three bytes) is read again into a buffer twice as large, up to the
// largest size a WORD counts. The text up to its first NUL is returned; "" when there is none.
template <typename TRead>
std::string ReadUncutText(WORD FirstSize, TRead Read) {
  constexpr size_t LongestCharacter = 3;
  for (size_t size = FirstSize;; size = std::min<size_t>(size * 2, MAXWORD)) {
    std::vector<char> buffer(size, '\0');
    if (!Read(buffer.data(), static_cast<WORD>(size))) return "";
    const size_t length = strnlen(buffer.data(), size);
    if (length + LongestCharacter < size || size == MAXWORD)
      return std::string(buffer.data(), length);
  }
}
