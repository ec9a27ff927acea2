#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One lexical piece of an RTF document.
enum class TRtfTokenKind {
  GroupOpen,
  GroupClose,
  // A backslash and letters, with an optional signed parameter.
  ControlWord,
  // A backslash and one other character (not "'").
  ControlSymbol,
  // \'xx: one byte given in hexadecimal.
  HexByte,
  // A run of plain bytes; line breaks (which RTF ignores) are not part of it.
  Text,
  // The data after \binN, as much of it as the input holds.
  Binary,
};

struct TRtfToken {
  TRtfTokenKind Kind = TRtfTokenKind::Text;
  // The word's letters, the symbol's character, the text bytes or the binary data.
  std::string_view Value;
  int32_t Param = 0;
  bool HasParam = false;
  // The byte of a HexByte.
  uint8_t Byte = 0;
  // Where the token stands in the input, for copying it unchanged.
  size_t Offset = 0;
  size_t Length = 0;

  bool Is(std::string_view Word) const {
    return Kind == TRtfTokenKind::ControlWord && Value == Word;
  }
};
