#include "Unicode.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsContinuation(unsigned char Byte) {
  return (Byte & 0xC0) == 0x80;
}

bool IsHighSurrogate(char32_t C) {
  return C >= 0xD800 && C <= 0xDBFF;
}
bool IsLowSurrogate(char32_t C) {
  return C >= 0xDC00 && C <= 0xDFFF;
}

// Length of the sequence a lead byte starts and the bounds of its second byte, which exclude
// overlong forms, surrogates and values above U+10FFFF (Unicode table 3-7). Length 0: invalid.
struct TLeadInfo {
  int Length;
  unsigned char Low;
  unsigned char High;
};

TLeadInfo LeadInfo(unsigned char Lead) {
  if (Lead < 0x80) return {1, 0, 0};
  if (Lead >= 0xC2 && Lead <= 0xDF) return {2, 0x80, 0xBF};
  if (Lead == 0xE0) return {3, 0xA0, 0xBF};
  if (Lead == 0xED) return {3, 0x80, 0x9F};
  if (Lead >= 0xE1 && Lead <= 0xEF) return {3, 0x80, 0xBF};
  if (Lead == 0xF0) return {4, 0x90, 0xBF};
  if (Lead >= 0xF1 && Lead <= 0xF3) return {4, 0x80, 0xBF};
  if (Lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

void AppendUtf16(std::u16string& Out, char32_t C) {
  if (C < 0x10000) {
    Out.push_back(static_cast<char16_t>(C));
    return;
  }
  C -= 0x10000;
  Out.push_back(static_cast<char16_t>(0xD800 + (C >> 10)));
  Out.push_back(static_cast<char16_t>(0xDC00 + (C & 0x3FF)));
}

}  // namespace

char32_t NextUtf8CodePoint(std::string_view Text, size_t& Pos) {
  auto Byte = [&](size_t I) { return static_cast<unsigned char>(Text[I]); };
  unsigned char Lead = Byte(Pos++);
  TLeadInfo Info = LeadInfo(Lead);
  if (Info.Length == 1) return Lead;
  if (Info.Length == 0) return Replacement;
  if (Pos >= Text.size() || Byte(Pos) < Info.Low || Byte(Pos) > Info.High) return Replacement;
  char32_t C = Lead & (0xFF >> (Info.Length + 1));
  for (int I = 1; I < Info.Length; ++I) {
    if (Pos >= Text.size() || !IsContinuation(Byte(Pos))) return Replacement;
    C = (C << 6) | (Byte(Pos++) & 0x3F);
  }
  return C;
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) C = Replacement;
  if (C < 0x80) {
    Out.push_back(static_cast<char>(C));
  } else if (C < 0x800) {
    Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else if (C < 0x10000) {
    Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  } else {
    Out.push_back(static_cast<char>(0xF0 | (C >> 18)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 12) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
    Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
  }
}

std::u16string Utf8ToUtf16(std::string_view Text) {
  std::u16string Result;
  Result.reserve(Text.size());
  size_t Pos = 0;
  while (Pos < Text.size()) AppendUtf16(Result, NextUtf8CodePoint(Text, Pos));
  return Result;
}

std::string Utf16ToUtf8(std::u16string_view Text) {
  std::string Result;
  Result.reserve(Text.size());
  for (size_t I = 0; I < Text.size(); ++I) {
    char32_t C = Text[I];
    if (IsHighSurrogate(C) && I + 1 < Text.size() && IsLowSurrogate(Text[I + 1])) {
      C = 0x10000 + ((C - 0xD800) << 10) + (Text[I + 1] - 0xDC00);
      ++I;
    }
    // A lone surrogate is replaced inside AppendUtf8.
    AppendUtf8(Result, C);
  }
  return Result;
}
