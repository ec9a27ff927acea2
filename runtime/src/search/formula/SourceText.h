#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

// A formula's text as characters, each with the byte offset it had in the text as passed, so
// that errors can point into the caller's own bytes.
class TSourceText {
 public:
  // LMBCS, as published. Some callers pass their native UTF-8 unconverted; text that is valid
  // UTF-8 with multibyte characters and no LMBCS group bytes is read as UTF-8.
  static TSourceText Decode(std::string_view Bytes);
  // As Decode read the same bytes; Utf8 is what IsUtf8 said then. Decoding is not always
  // undone exactly by encoding, so a compiled formula keeps the bytes and this choice.
  static TSourceText Decode(std::string_view Bytes, bool Utf8);

  bool IsUtf8() const { return FUtf8; }
  const std::u16string& Text() const { return FText; }
  size_t ByteOffset(size_t Index) const { return FOffsets[Index]; }
  // 1-based line and column (in characters) of the character at Index.
  void Position(size_t Index, WORD& Line, WORD& Column) const;

 private:
  static bool LooksLikeUtf8(std::string_view Bytes);
  static TSourceText DecodeUtf8(std::string_view Bytes);
  static TSourceText DecodeLmbcs(std::string_view Bytes);

  std::u16string FText;
  // One per UTF-16 unit, plus the end of the text.
  std::vector<uint32_t> FOffsets;
  bool FUtf8 = false;
};

}  // namespace notesrt
