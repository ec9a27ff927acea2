#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace notesrt {

// UTF-8 and UTF-16 byte streams to and from UTF-16 text, for the translation modes. Decoding
// drops an incomplete last character (the caller cut the input) and substitutes U+FFFD for
// anything invalid; encoding writes whole characters only, never more than Limit bytes.

std::u16string Utf8ToUtf16(std::string_view Utf8);
size_t Utf16ToUtf8(std::u16string_view Text, char* Out, size_t Limit);

// UTF-16 in the machine's byte order.
std::u16string BytesToUtf16(const char* Bytes, size_t Length);
size_t Utf16ToBytes(std::u16string_view Text, char* Out, size_t Limit);

}  // namespace notesrt
