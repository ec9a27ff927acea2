#include "text/LmbcsCodec.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"

namespace notesrt {

namespace {

// Byte values that are characters of their own in both encodings: NUL (the line break of
// multi-line text), tab, LF, CR and printable ASCII. Other C0 bytes are LMBCS group bytes.
constexpr bool PlainByte(unsigned char Byte) {
  return Byte >= 0x20 ? Byte < 0x80 : (Byte == 0 || Byte == '\t' || Byte == '\n' || Byte == '\r');
}

void CheckIcu(UErrorCode Error) {
  if (U_FAILURE(Error)) throw EStatus(ERR_NOTESRT_INTERNAL);
}

// Largest cut point not above Limit, given the input offset of every output byte.
size_t LastBoundary(const std::vector<int32_t>& Offsets, std::u16string_view Source, size_t Limit) {
  for (size_t cut = Limit; cut > 0; --cut) {
    if (Offsets[cut] == Offsets[cut - 1]) continue;
    if (!U16_IS_TRAIL(Source[static_cast<size_t>(Offsets[cut])])) return cut;
  }
  return 0;
}

}  // namespace

TLmbcsCodec::TLmbcsCodec() {
  UErrorCode error = U_ZERO_ERROR;
  FConverter.reset(ucnv_open("LMBCS-1", &error));
  CheckIcu(error);
}

TLmbcsCodec& TLmbcsCodec::Shared() {
  static TLmbcsCodec& codec = *new TLmbcsCodec;
  return codec;
}

bool TLmbcsCodec::IsPlainAscii(std::string_view Text) {
  return std::all_of(Text.begin(), Text.end(),
                     [](char c) { return PlainByte(static_cast<unsigned char>(c)); });
}

std::u16string TLmbcsCodec::Decode(std::string_view Lmbcs, std::vector<int32_t>* Offsets) {
  // One LMBCS byte yields at most one UTF-16 unit; the rest is headroom for substitutions.
  std::u16string text(2 * Lmbcs.size() + 2, u'\0');
  if (Offsets) Offsets->assign(text.size(), 0);
  UChar* target = reinterpret_cast<UChar*>(text.data());
  const char* source = Lmbcs.data();
  UErrorCode error = U_ZERO_ERROR;
  ucnv_resetToUnicode(FConverter.get());
  // Without flushing, an incomplete last character stays in the converter and is dropped.
  ucnv_toUnicode(FConverter.get(), &target, target + text.size(), &source,
                 Lmbcs.data() + Lmbcs.size(), Offsets ? Offsets->data() : nullptr, false, &error);
  ucnv_resetToUnicode(FConverter.get());
  CheckIcu(error);
  text.resize(static_cast<size_t>(target - reinterpret_cast<UChar*>(text.data())));
  if (Offsets) Offsets->resize(text.size());
  return text;
}

size_t TLmbcsCodec::Encode(std::u16string_view Text, char* Out, size_t Limit) {
  size_t capacity = Text.size() * static_cast<size_t>(ucnv_getMaxCharSize(FConverter.get())) + 1;
  std::string bytes(capacity, '\0');
  std::vector<int32_t> offsets(capacity + 1, 0);
  char* target = bytes.data();
  const UChar* source = reinterpret_cast<const UChar*>(Text.data());
  UErrorCode error = U_ZERO_ERROR;
  ucnv_resetFromUnicode(FConverter.get());
  ucnv_fromUnicode(FConverter.get(), &target, bytes.data() + capacity, &source,
                   source + Text.size(), offsets.data(), true, &error);
  CheckIcu(error);
  auto length = static_cast<size_t>(target - bytes.data());
  size_t count = length <= Limit ? length : LastBoundary(offsets, Text, Limit);
  std::memcpy(Out, bytes.data(), count);
  return count;
}

size_t TLmbcsCodec::WholePrefix(std::string_view Lmbcs, size_t Limit) {
  if (Lmbcs.size() <= Limit) return Lmbcs.size();
  if (IsPlainAscii(Lmbcs.substr(0, Limit + 1))) return Limit;
  std::vector<int32_t> offsets;
  std::u16string text = Decode(Lmbcs, &offsets);
  size_t cut = 0;
  for (size_t unit = 0; unit < text.size(); ++unit) {
    auto start = static_cast<size_t>(offsets[unit]);
    if (start > Limit) break;
    if (!U16_IS_TRAIL(text[unit])) cut = start;
  }
  return cut;
}

// Plain ASCII is the same in both and by far the most common, so it skips the converter.
std::string LmbcsOf(std::u16string_view Text) {
  bool plain = std::all_of(Text.begin(), Text.end(), [](char16_t c) {
    return c < 0x80 && PlainByte(static_cast<unsigned char>(c));
  });
  if (plain) return std::string(Text.begin(), Text.end());
  std::string bytes(Text.size() * 4, '\0');
  bytes.resize(TLmbcsCodec::Shared().Encode(Text, bytes.data(), bytes.size()));
  return bytes;
}

std::u16string TextOfLmbcs(std::string_view Lmbcs) {
  if (TLmbcsCodec::IsPlainAscii(Lmbcs)) return std::u16string(Lmbcs.begin(), Lmbcs.end());
  return TLmbcsCodec::Shared().Decode(Lmbcs);
}

}  // namespace notesrt
