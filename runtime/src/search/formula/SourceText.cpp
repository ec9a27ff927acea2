#include "search/formula/SourceText.h"

#include <unicode/utf8.h>

#include <algorithm>

#include "text/LmbcsCodec.h"

namespace notesrt {

TSourceText TSourceText::Decode(std::string_view Bytes) {
  return Decode(Bytes, LooksLikeUtf8(Bytes));
}

TSourceText TSourceText::Decode(std::string_view Bytes, bool Utf8) {
  return Utf8 ? DecodeUtf8(Bytes) : DecodeLmbcs(Bytes);
}

TSourceText TSourceText::DecodeLmbcs(std::string_view Bytes) {
  TSourceText source;
  std::vector<int32_t> offsets;
  source.FText = TLmbcsCodec::Shared().Decode(Bytes, &offsets);
  source.FOffsets.assign(offsets.begin(), offsets.end());
  source.FOffsets.resize(source.FText.size());
  source.FOffsets.push_back(static_cast<uint32_t>(Bytes.size()));
  return source;
}

// LMBCS marks every character outside group 1 with a prefix byte below 0x20; ordinary text in
// UTF-8 has none besides tab and line ends, and LMBCS group 1 text is rarely valid UTF-8.
bool TSourceText::LooksLikeUtf8(std::string_view Bytes) {
  bool multibyte = false;
  int32_t index = 0;
  auto length = static_cast<int32_t>(Bytes.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(Bytes.data());
  while (index < length) {
    uint8_t byte = bytes[index];
    if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') return false;
    UChar32 c;
    U8_NEXT(bytes, index, length, c);
    if (c < 0) return false;
    multibyte = multibyte || c >= 0x80;
  }
  return multibyte;
}

TSourceText TSourceText::DecodeUtf8(std::string_view Bytes) {
  TSourceText source;
  int32_t index = 0;
  auto length = static_cast<int32_t>(Bytes.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(Bytes.data());
  while (index < length) {
    auto start = static_cast<uint32_t>(index);
    UChar32 c;
    U8_NEXT(bytes, index, length, c);
    if (c < 0) c = 0xFFFD;
    char16_t units[2];
    int32_t count = 0;
    U16_APPEND_UNSAFE(units, count, c);
    for (int32_t unit = 0; unit < count; ++unit) {
      source.FText.push_back(units[unit]);
      source.FOffsets.push_back(start);
    }
  }
  source.FOffsets.push_back(static_cast<uint32_t>(Bytes.size()));
  source.FUtf8 = true;
  return source;
}

void TSourceText::Position(size_t Index, WORD& Line, WORD& Column) const {
  size_t line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < Index && i < FText.size(); ++i) {
    bool crlf = FText[i] == u'\r' && i + 1 < FText.size() && FText[i + 1] == u'\n';
    if ((FText[i] == u'\n' || FText[i] == u'\r') && !crlf) {
      ++line;
      lineStart = i + 1;
    }
  }
  Line = static_cast<WORD>(std::min<size_t>(line, MAXWORD));
  Column = static_cast<WORD>(std::min<size_t>(Index - lineStart + 1, MAXWORD));
}

}  // namespace notesrt
