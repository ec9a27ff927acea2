#include "NotesCharset.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "NotesApi.h"
#include "TextScan.h"

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

// The end of the plain bytes from Start on (tab, LF and CR are looked at one by one).
size_t PlainEnd(std::string_view Text, size_t Start) {
  size_t at = NextControlOrHigh(Text, Start);
  while (at < Text.size() && IsPlainByte(static_cast<uint8_t>(Text[at])))
    at = NextControlOrHigh(Text, at + 1);
  return at;
}

// The same, but ending after the first line break (CR, LF or CR LF) among them.
size_t PlainLineEnd(std::string_view Text, size_t Start) {
  size_t at = NextControlOrHigh(Text, Start);
  while (at < Text.size() && Text[at] == '\t') at = NextControlOrHigh(Text, at + 1);
  if (at == Text.size() || (Text[at] != '\r' && Text[at] != '\n')) return at;
  return AfterLineBreak(Text, at);
}

// Whether PlainRun plain bytes start at At; looks no further.
bool IsPlainRun(std::string_view Text, size_t At) {
  if (Text.size() - At < PlainRun) return false;
  for (size_t at = At; at < At + PlainRun; ++at)
    if (!IsPlainByte(static_cast<uint8_t>(Text[at]))) return false;
  return true;
}

// Where the stretch to translate that starts at Start ends: before a long run of plain bytes
// (copied as they are, not through the converter), after the line break that ends its line, or
// before MaxPiece bytes are passed, and always between two characters.
size_t StretchEnd(std::string_view Text, size_t Start, size_t (*CharSize)(uint8_t)) {
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

// Plain ASCII needs no translation and is handed on as it is; the lines around other characters
// go through OSTranslate. Sink takes each piece of the result in order (a view valid only during
// the call, and whether it came out of the converter) and returns false to stop.
template <class TSink>
void TranslatePieces(WORD Mode, std::string_view Text, size_t (*CharSize)(uint8_t), TSink&& Sink,
                     size_t (*PlainTo)(std::string_view, size_t) = PlainEnd) {
  constexpr WORD OutSize = 0xFFFF;
  std::unique_ptr<char[]> out;  // made only for text that is not all ASCII
  for (size_t start = 0; start < Text.size();) {
    const size_t plain = PlainTo(Text, start);
    if (plain > start && !Sink(Text.substr(start, plain - start), false)) return;
    if (plain == Text.size()) return;
    if (IsPlainByte(static_cast<uint8_t>(Text[plain]))) {
      start = plain;  // a line ended among plain bytes
      continue;
    }
    const size_t end = StretchEnd(Text, plain, CharSize);
    if (!out) out.reset(new char[OutSize]);
    const WORD written =
        OSTranslate(Mode, Text.data() + plain, static_cast<WORD>(end - plain), out.get(), OutSize);
    if (written > 0 && !Sink(std::string_view(out.get(), written), true)) return;
    start = end;
  }
}

// A long text that is mostly ASCII costs about a copy, and one that is all ASCII nothing.
std::string Translate(WORD Mode, std::string Text, size_t (*CharSize)(uint8_t)) {
  const size_t plain = PlainEnd(Text, 0);
  if (plain == Text.size()) return Text;
  std::string result;
  result.reserve(Text.size() + Text.size() / 8);
  result.assign(Text, 0, plain);
  TranslatePieces(Mode, std::string_view(Text).substr(plain), CharSize,
                  [&result](std::string_view Piece, bool) {
                    result.append(Piece);
                    return true;
                  });
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

std::string_view Lmbcs2NativeView(std::string_view Lmbcs, std::string& Scratch) {
  if (PlainEnd(Lmbcs, 0) == Lmbcs.size()) return Lmbcs;
  Scratch = Lmbcs2Native(std::string(Lmbcs));
  return Scratch;
}

void Lmbcs2NativeLines(std::string_view Lmbcs, const std::function<void(std::string_view)>& Sink) {
  // Plain bytes hold no NUL: only what the converter gives can end the text. Plain pieces end at
  // their first line break already; converted ones are cut here.
  TranslatePieces(
      OS_TRANSLATE_LMBCS_TO_NATIVE, Lmbcs, LmbcsCharSize,
      [&Sink](std::string_view Piece, bool Translated) {
        if (!Translated) {
          Sink(Piece);
          return true;
        }
        const size_t nul = Piece.find('\0');
        const std::string_view text = Piece.substr(0, nul);
        for (size_t start = 0, end; start < text.size(); start = end) {
          end = AfterLineBreak(text, start);
          Sink(text.substr(start, end - start));
        }
        return nul == std::string_view::npos;
      },
      PlainLineEnd);
}

std::string Native2Lmbcs(std::string Native) {
  return CutAtNul(Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, std::move(Native), Utf8CharSize));
}
