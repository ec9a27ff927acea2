#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 8-bit text of a Windows code page as UTF-8, through the C library's converters. Code page 1200
// is UTF-16LE and 65001 UTF-8. Without a code page the bytes are UTF-8 when they are valid UTF-8,
// else code page 1252. Bytes a converter cannot read become U+FFFD; conversion never fails.
std::string CodePageToUtf8(std::string_view Bytes, std::optional<uint16_t> CodePage);

// Whether Bytes is well-formed UTF-8.
bool IsValidUtf8(std::string_view Bytes);
