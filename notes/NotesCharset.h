#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Text crossing to and from Notes is LMBCS; the native character set is UTF-8. Both
// conversions take texts of any length and cut the result at the first NUL.
std::string Lmbcs2Native(std::string Lmbcs);
std::string Native2Lmbcs(std::string Native);

// Lmbcs2Native's result as a view: Lmbcs itself when it is plain ASCII (nothing to convert or
// copy), else the text converted into Scratch.
std::string_view Lmbcs2NativeView(std::string_view Lmbcs, std::string& Scratch);

// Lmbcs2Native's result handed to Sink piece by piece, without building it: plain ASCII as views
// into Lmbcs, the rest converted. A piece is never empty and valid only during the call, and
// holds at most one line break (CR, LF or CR LF), which ends it: lines need no second search.
void Lmbcs2NativeLines(std::string_view Lmbcs, const std::function<void(std::string_view)>& Sink);

// The same conversions keeping embedded NULs (Notes' line breaks inside a text value).
std::string Lmbcs2NativeRaw(const std::string& Lmbcs);
std::string Native2LmbcsRaw(const std::string& Native);

// Bytes of the LMBCS character whose first byte is Lead (1 to 3), so that texts can be cut
// between characters.
size_t LmbcsCharSize(uint8_t Lead);
// Where a piece of Text that starts at Start and holds at most MaxBytes ends between two
// characters; a character cut short by the end of the text goes with the piece.
size_t LmbcsPieceEnd(std::string_view Text, size_t Start, size_t MaxBytes);
