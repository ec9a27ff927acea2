// OSTranslate: LMBCS to and from the native character set (UTF-8 on Linux) and UTF-16, plus
// the case and accent tables applied to LMBCS text.
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/ApiCall.h"
#include "notesapi/osmisc.h"
#include "text/LmbcsCodec.h"
#include "text/UnicodeText.h"

using notesrt::TLmbcsCodec;

namespace {

void CheckIcu(UErrorCode Error) {
  if (U_FAILURE(Error)) throw notesrt::EStatus(ERR_NOTESRT_INTERNAL);
}

template <class TMapper>
std::u16string MapCase(const std::u16string& Text, TMapper Mapper) {
  // Case mapping grows text at most threefold (one unit to three, as in U+0390).
  std::u16string mapped(Text.size() * 3 + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = Mapper(
      reinterpret_cast<UChar*>(mapped.data()), static_cast<int32_t>(mapped.size()),
      reinterpret_cast<const UChar*>(Text.data()), static_cast<int32_t>(Text.size()), "", &error);
  CheckIcu(error);
  mapped.resize(static_cast<size_t>(length));
  return mapped;
}

std::u16string Normalize(const UNormalizer2* Normalizer, const std::u16string& Text) {
  UErrorCode error = U_ZERO_ERROR;
  auto source = reinterpret_cast<const UChar*>(Text.data());
  auto length = static_cast<int32_t>(Text.size());
  int32_t needed = unorm2_normalize(Normalizer, source, length, nullptr, 0, &error);
  std::u16string result(static_cast<size_t>(needed), u'\0');
  error = U_ZERO_ERROR;
  unorm2_normalize(Normalizer, source, length, reinterpret_cast<UChar*>(result.data()), needed,
                   &error);
  CheckIcu(error);
  return result;
}

// Decomposes, drops the combining marks and composes what is left: "é" becomes "e".
std::u16string Unaccent(const std::u16string& Text) {
  UErrorCode error = U_ZERO_ERROR;
  const UNormalizer2* decompose = unorm2_getNFDInstance(&error);
  const UNormalizer2* compose = unorm2_getNFCInstance(&error);
  CheckIcu(error);
  std::u16string stripped;
  for (char16_t unit : Normalize(decompose, Text))
    if (u_charType(unit) != U_NON_SPACING_MARK) stripped.push_back(unit);
  return Normalize(compose, stripped);
}

size_t LmbcsToLmbcs(WORD Mode, std::string_view In, char* Out, size_t Limit) {
  TLmbcsCodec& codec = TLmbcsCodec::Shared();
  std::u16string text = codec.Decode(In);
  if (Mode == OS_TRANSLATE_LOWER_TO_UPPER) text = MapCase(text, u_strToUpper);
  if (Mode == OS_TRANSLATE_UPPER_TO_LOWER) text = MapCase(text, u_strToLower);
  if (Mode == OS_TRANSLATE_UNACCENT) text = Unaccent(text);
  return codec.Encode(text, Out, Limit);
}

// Plain ASCII is the same in every mode that involves LMBCS and UTF-8 only.
bool AsciiIdentity(WORD Mode) {
  return Mode == OS_TRANSLATE_NATIVE_TO_LMBCS || Mode == OS_TRANSLATE_LMBCS_TO_NATIVE ||
         Mode == OS_TRANSLATE_LMBCS_TO_UTF8 || Mode == OS_TRANSLATE_UTF8_TO_LMBCS;
}

size_t Translate(WORD Mode, std::string_view In, char* Out, size_t Limit) {
  if (AsciiIdentity(Mode) && TLmbcsCodec::IsPlainAscii(In)) {
    size_t count = std::min(In.size(), Limit);
    std::memmove(Out, In.data(), count);
    return count;
  }
  TLmbcsCodec& codec = TLmbcsCodec::Shared();
  switch (Mode) {
    case OS_TRANSLATE_NATIVE_TO_LMBCS:
    case OS_TRANSLATE_UTF8_TO_LMBCS:
      return codec.Encode(notesrt::Utf8ToUtf16(In), Out, Limit);
    case OS_TRANSLATE_LMBCS_TO_NATIVE:
    case OS_TRANSLATE_LMBCS_TO_UTF8:
      return notesrt::Utf16ToUtf8(codec.Decode(In), Out, Limit);
    case OS_TRANSLATE_LMBCS_TO_UNICODE:
      return notesrt::Utf16ToBytes(codec.Decode(In), Out, Limit);
    case OS_TRANSLATE_UNICODE_TO_LMBCS:
      return codec.Encode(notesrt::BytesToUtf16(In.data(), In.size()), Out, Limit);
    case OS_TRANSLATE_LOWER_TO_UPPER:
    case OS_TRANSLATE_UPPER_TO_LOWER:
    case OS_TRANSLATE_UNACCENT:
      return LmbcsToLmbcs(Mode, In, Out, Limit);
    default:
      return 0;
  }
}

}  // namespace

// Native is UTF-8. The output is never longer than OutLength, ends on a whole character and is
// not terminated; an incomplete last input character is dropped and invalid input becomes a
// substitute character. NULs (line breaks of multi-line text) pass through unchanged.
// An unknown mode writes nothing and returns 0.
WORD LNPUBLIC OSTranslate(WORD TranslateMode, const char* In, WORD InLength, char* Out,
                          WORD OutLength) {
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    if (!In || !Out) return 0;
    return static_cast<WORD>(
        Translate(TranslateMode, std::string_view(In, InLength), Out, OutLength));
  });
}
