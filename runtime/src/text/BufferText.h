#pragma once

#include <cstddef>
#include <string_view>

namespace notesrt {

// Copies LMBCS text into a caller's buffer of BufferSize bytes, NUL included, cutting at a
// character boundary when it does not fit. Returns the length written without the NUL; writes
// nothing when Buffer is null or BufferSize is 0.
size_t CopyToBuffer(std::string_view Text, char* Buffer, size_t BufferSize);

// For results that are useless when cut (paths): the whole text, or "" when it does not fit.
// Returns whether the text fitted.
bool CopyWholeToBuffer(std::string_view Text, char* Buffer, size_t BufferSize);

}  // namespace notesrt
