#include "text/UnicodeText.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstring>

namespace notesrt {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Bytes at the end of Utf8 that start a character the input no longer holds in full.
size_t IncompleteTail(std::string_view Utf8) {
  size_t length = Utf8.size();
  for (size_t back = 1; back <= 3 && back <= length; ++back) {
    auto byte = static_cast<uint8_t>(Utf8[length - back]);
    if (U8_IS_TRAIL(byte)) continue;
    if (!U8_IS_LEAD(byte)) return 0;
    return static_cast<size_t>(U8_COUNT_TRAIL_BYTES(byte)) + 1 > back ? back : 0;
  }
  return 0;
}

void AppendCodePoint(std::u16string& Text, UChar32 CodePoint) {
  if (CodePoint < 0) {
    Text.push_back(Replacement);
  } else if (U_IS_BMP(CodePoint)) {
    Text.push_back(static_cast<char16_t>(CodePoint));
  } else {
    Text.push_back(U16_LEAD(CodePoint));
    Text.push_back(U16_TRAIL(CodePoint));
  }
}

// The longest prefix of Text, at most Limit units, that does not split a surrogate pair.
size_t Utf16WholePrefix(std::u16string_view Text, size_t Limit) {
  if (Limit >= Text.size()) return Text.size();
  if (Limit > 0 && U16_IS_LEAD(Text[Limit - 1]) && U16_IS_TRAIL(Text[Limit])) return Limit - 1;
  return Limit;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view Utf8) {
  auto bytes = reinterpret_cast<const uint8_t*>(Utf8.data());
  auto length = static_cast<int32_t>(Utf8.size() - IncompleteTail(Utf8));
  std::u16string text;
  text.reserve(static_cast<size_t>(length));
  for (int32_t index = 0; index < length;) {
    UChar32 codePoint;
    U8_NEXT(bytes, index, length, codePoint);
    AppendCodePoint(text, codePoint);
  }
  return text;
}

size_t Utf16ToUtf8(std::u16string_view Text, char* Out, size_t Limit) {
  auto out = reinterpret_cast<uint8_t*>(Out);
  size_t written = 0;
  auto length = static_cast<int32_t>(Text.size());
  for (int32_t index = 0; index < length;) {
    UChar32 codePoint;
    U16_NEXT(Text.data(), index, length, codePoint);
    if (U_IS_SURROGATE(codePoint)) codePoint = Replacement;
    if (written + U8_LENGTH(codePoint) > Limit) break;
    U8_APPEND_UNSAFE(out, written, codePoint);
  }
  return written;
}

std::u16string BytesToUtf16(const char* Bytes, size_t Length) {
  std::u16string text(Length / 2, u'\0');
  std::memcpy(text.data(), Bytes, text.size() * sizeof(char16_t));
  if (!text.empty() && U16_IS_LEAD(text.back())) text.pop_back();
  return text;
}

size_t Utf16ToBytes(std::u16string_view Text, char* Out, size_t Limit) {
  size_t units = Utf16WholePrefix(Text, Limit / sizeof(char16_t));
  std::memcpy(Out, Text.data(), units * sizeof(char16_t));
  return units * sizeof(char16_t);
}

}  // namespace notesrt
