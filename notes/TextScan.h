#pragma once

#include <cstddef>
#include <string_view>

// Byte searches over long texts, 16 bytes at a time where the processor allows. Each gives the
// position of the first byte from At on that it looks for, or the text's size.

// A control character (below 0x20) or a byte with its high bit set: where plain ASCII ends.
size_t NextControlOrHigh(std::string_view Text, size_t At);
// A CR or a LF.
size_t NextLineBreak(std::string_view Text, size_t At);
// Where the line that goes on at At ends, after its break (CR LF, CR or LF); the text's size
// when no break follows.
size_t AfterLineBreak(std::string_view Text, size_t At);
