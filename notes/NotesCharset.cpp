#include "NotesCharset.h"

#include <cstdint>

#include "NotesApi.h"

namespace {

// OSTranslate measures in WORDs. One input byte becomes at most three output bytes in either
// direction, so input pieces of this size always fit the largest output a WORD can count.
constexpr size_t MaxPiece = 0xFFFF / 3;

size_t LmbcsPieceEnd(const std::string& Text, size_t Start) {
  size_t end = Start;
  while (end < Text.size()) {
    size_t next = end + LmbcsCharSize(static_cast<uint8_t>(Text[end]));
    if (next - Start > MaxPiece) break;
    end = next;
  }
  return end < Text.size() ? end : Text.size();
}

size_t Utf8PieceEnd(const std::string& Text, size_t Start) {
  size_t end = std::min(Text.size(), Start + MaxPiece);
  if (end == Text.size()) return end;
  // Back up to the first byte of a UTF-8 sequence.
  while (end > Start && (static_cast<uint8_t>(Text[end]) & 0xC0) == 0x80) --end;
  return end > Start ? end : std::min(Text.size(), Start + MaxPiece);
}

// Printable ASCII and the controls that stand for themselves read the same in LMBCS and in any
// ASCII-based native character set; most item names and values are nothing else.
bool IsPlainAscii(const std::string& Text) {
  for (char c : Text) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte >= 0x80 || (byte < 0x20 && byte != 0x09 && byte != 0x0A && byte != 0x0D)) return false;
  }
  return true;
}

// Plain ASCII needs no translation: it is handed back as it came.
std::string Translate(WORD Mode, std::string Text, size_t (*PieceEnd)(const std::string&, size_t)) {
  if (IsPlainAscii(Text)) return Text;
  std::string result;
  result.reserve(Text.size());
  char out[0xFFFF];
  for (size_t start = 0; start < Text.size();) {
    size_t end = PieceEnd(Text, start);
    WORD written = OSTranslate(Mode, Text.data() + start, static_cast<WORD>(end - start), out,
                               static_cast<WORD>(sizeof(out)));
    result.append(out, written);
    start = end;
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

std::string Lmbcs2NativeRaw(const std::string& Lmbcs) {
  return Translate(OS_TRANSLATE_LMBCS_TO_NATIVE, Lmbcs, LmbcsPieceEnd);
}

std::string Native2LmbcsRaw(const std::string& Native) {
  return Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, Native, Utf8PieceEnd);
}

std::string Lmbcs2Native(std::string Lmbcs) {
  return CutAtNul(Translate(OS_TRANSLATE_LMBCS_TO_NATIVE, std::move(Lmbcs), LmbcsPieceEnd));
}

std::string Native2Lmbcs(std::string Native) {
  return CutAtNul(Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, std::move(Native), Utf8PieceEnd));
}
