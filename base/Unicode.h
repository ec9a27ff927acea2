#pragma once

#include <string>
#include <string_view>

// Conversion between the native character set (UTF-8) and wide strings (UTF-16). Malformed input
// never fails: every ill-formed part becomes U+FFFD, the replacement character.

std::u16string Utf8ToUtf16(std::string_view Text);
std::string Utf16ToUtf8(std::u16string_view Text);

// The code point starting at Pos, which moves past it. An ill-formed sequence gives U+FFFD and
// moves past its longest well-formed prefix (at least one byte), as Unicode recommends.
char32_t NextUtf8CodePoint(std::string_view Text, size_t& Pos);

void AppendUtf8(std::string& Out, char32_t CodePoint);
