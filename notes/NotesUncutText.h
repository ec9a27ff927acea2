#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "NotesApi.h"

// Reads a text that Notes copies into a caller's buffer, cutting it to fit, so that it is
// never cut: Read(Buffer, Size) fills Buffer (NUL-terminated within Size: a function that takes
// the most characters without the NUL is passed Size - 1) and returns false
// when there is no text. A text that came close to filling the buffer (Notes cuts between
// characters of up to three bytes) is read again into a buffer twice as large, up to the
// largest size a WORD counts. The text up to its first NUL is returned; "" when there is none.
// The first read goes to the stack when it fits: most texts are short and read often.
template <typename TRead>
std::string ReadUncutText(WORD FirstSize, TRead Read) {
  constexpr size_t LongestCharacter = 3;
  constexpr size_t StackSize = 4096;
  char stackBuffer[StackSize];
  std::vector<char> heapBuffer;
  for (size_t size = FirstSize;; size = std::min<size_t>(size * 2, MAXWORD)) {
    char* buffer = stackBuffer;
    if (size > StackSize) {
      heapBuffer.resize(size);
      buffer = heapBuffer.data();
    }
    buffer[0] = '\0';
    if (!Read(buffer, static_cast<WORD>(size))) return "";
    const size_t length = strnlen(buffer, size);
    if (length + LongestCharacter < size || size == MAXWORD) return std::string(buffer, length);
  }
}
