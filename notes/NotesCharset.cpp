#include "NotesCharset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "NotesApi.h"

namespace {

// OSTranslate measures in WORDs. One input byte becomes at most three output bytes in either
// direction, so input pieces of this size always fit the largest output a WORD can count.
constexpr size_t MaxPiece = 0xFFFF / 3;
// Plain bytes in a row that end a stretch to translate: fewer go through the converter with the
// characters around them, saving a call each.
constexpr size_t PlainRun = 32;

// The bytes of the UTF-8 character whose first byte is Lead; a stray continuation byte alone.
size_t Utf8CharSize(uint8_t Lead) {
  if (Lead < 0xC0) return 1;
  return Lead < 0xE0 ? 2 : Lead < 0xF0 ? 3 : 4;
}

// A character outside the Basic Multilingual Plane is two characters of the Unicode group, a
// surrogate pair (big-endian UTF-16 after the group byte); translated or stored apart, each half
// would become a replacement character.
bool IsHighSurrogate(std::string_view Text, size_t At) {
  return static_cast<uint8_t>(Text[At]) == 0x14 && At + 1 < Text.size() &&
         (static_cast<uint8_t>(Text[At + 1]) & 0xFC) == 0xD8;
}

// Printable ASCII and the controls that stand for themselves read the same in LMBCS and in any
// ASCII-based native character set; most item names and values are nothing else.
bool IsPlainByte(uint8_t Byte) {
  return (Byte >= 0x20 && Byte < 0x80) || Byte == 0x09 || Byte == 0x0A || Byte == 0x0D;
}

// The end of the plain bytes from Start on, 32 or eight at a time where no byte has its high bit
// set or is below 0x20 (tab, LF and CR are then looked at one by one).
size_t PlainEnd(const std::string& Text, size_t Start) {
  constexpr uint64_t High = 0x8080808080808080u, Blank = 0x2020202020202020u;
  size_t at = Start;
  while (at < Text.size()) {
    // Four words at a time while they are all plain, so the compiler keeps the loop in registers.
    for (uint64_t words[4]; at + sizeof(words) <= Text.size(); at += sizeof(words)) {
      std::memcpy(words, Text.data() + at, sizeof(words));
      uint64_t flags = 0;
      for (uint64_t word : words) flags |= word | (word - Blank);
      if (flags & High) break;
    }
    uint64_t word;
    if (at + sizeof(word) <= Text.size()) {
      std::memcpy(&word, Text.data() + at, sizeof(word));
      if (((word | (word - Blank)) & High) == 0) {
        at += sizeof(word);
        continue;
      }
    }
    for (const size_t end = std::min(at + sizeof(word), Text.size()); at < end; ++at)
      if (!IsPlainByte(static_cast<uint8_t>(Text[at]))) return at;
  }
  return at;
}

// Whether PlainRun plain bytes start at At; looks no further.
bool IsPlainRun(const std::string& Text, size_t At) {
  if (Text.size() - At < PlainRun) return false;
  for (size_t at = At; at < At + PlainRun; ++at)
    if (!IsPlainByte(static_cast<uint8_t>(Text[at]))) return false;
  return true;
}

// Where the stretch to translate that starts at Start ends: before a long run of plain bytes
// (copied as they are, not through the converter), after the line break that ends its line, or
// before MaxPiece bytes are passed, and always between two characters.
size_t StretchEnd(const std::string& Text, size_t Start, size_t (*CharSize)(uint8_t)) {
  size_t end = Start, last = Start;
  while (end < Text.size()) {
    const auto lead = static_cast<uint8_t>(Text[end]);
    if (end > Start && IsPlainRun(Text, end)) return end;
    const size_t next = std::min(end + CharSize(lead), Text.size());
    if (next - Start > MaxPiece && end > Start)
      return last > Start && IsHighSurrogate(Text, last) ? last : end;
    last = end;
    end = next;
    if (lead == '\n') break;
  }
  return end;
}

// Plain ASCII needs no translation and is copied as it is; the lines around other characters go
// through OSTranslate. A long text that is mostly ASCII therefore costs about a copy.
std::string Translate(WORD Mode, std::string Text, size_t (*CharSize)(uint8_t)) {
  size_t plain = PlainEnd(Text, 0);
  if (plain == Text.size()) return Text;
  std::string result;
  result.reserve(Text.size() + Text.size() / 8);
  char out[0xFFFF];
  for (size_t start = 0; start < Text.size();) {
    plain = PlainEnd(Text, plain);
    result.append(Text, start, plain - start);
    if (plain == Text.size()) break;
    const size_t end = StretchEnd(Text, plain, CharSize);
    const WORD written = OSTranslate(Mode, Text.data() + plain, static_cast<WORD>(end - plain), out,
                                     static_cast<WORD>(sizeof(out)));
    result.append(out, written);
    start = plain = end;
  }
  return result;
}

std::string CutAtNul(std::string Text) {
  size_t nul = Text.find('\0');
  if (nul != std::string::npos) Text.resize(nul);
  return Text;
}

}  // namespace

// Controls that stand for themselves and every byte from 0x20 up are single; the double-byte
// groups and the Unicode group carry two data bytes, every other group byte one.
size_t LmbcsCharSize(uint8_t Lead) {
  if (Lead >= 0x20 || Lead == 0x00 || Lead == 0x09 || Lead == 0x0A || Lead == 0x0D) return 1;
  if (Lead >= 0x10 && Lead <= 0x14) return 3;
  return 2;
}

size_t LmbcsPieceEnd(std::string_view Text, size_t Start, size_t MaxBytes) {
  if (Text.size() - Start <= MaxBytes) return Text.size();
  size_t end = Start, last = Start;
  while (end < Text.size()) {
    const size_t next = end + LmbcsCharSize(static_cast<uint8_t>(Text[end]));
    if (next - Start > MaxBytes) break;
    last = end;
    end = next;
  }
  if (end >= Text.size()) return Text.size();
  return last > Start && IsHighSurrogate(Text, last) ? last : end;
}

std::string Lmbcs2NativeRaw(const std::string& Lmbcs) {
  return Translate(OS_TRANSLATE_LMBCS_TO_NATIVE, Lmbcs, LmbcsCharSize);
}

std::string Native2LmbcsRaw(const std::string& Native) {
  return Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, Native, Utf8CharSize);
}

std::string Lmbcs2Native(std::string Lmbcs) {
  return CutAtNul(Translate(OS_TRANSLATE_LMBCS_TO_NATIVE, std::move(Lmbcs), LmbcsCharSize));
}

std::string Native2Lmbcs(std::string Native) {
  return CutAtNul(Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, std::move(Native), Utf8CharSize));
}
