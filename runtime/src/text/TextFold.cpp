#include "text/TextFold.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"
#include "text/LmbcsCodec.h"
#include "text/UnicodeText.h"

namespace notesrt {

namespace {

std::string Utf16ToUtf8String(std::u16string_view Text) {
  std::string utf8(Text.size() * 3, '\0');
  utf8.resize(Utf16ToUtf8(Text, utf8.data(), utf8.size()));
  return utf8;
}

// Runs one of ICU's whole-string case mappings, growing the output once if needed.
template <class TMapping>
std::u16string MapCase(std::u16string_view Text, TMapping&& Mapping) {
  std::u16string result(Text.size() + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = Mapping(
        reinterpret_cast<UChar*>(result.data()), static_cast<int32_t>(result.size()),
        reinterpret_cast<const UChar*>(Text.data()), static_cast<int32_t>(Text.size()), &error);
    if (error == U_BUFFER_OVERFLOW_ERROR) {
      result.assign(static_cast<size_t>(length), u'\0');
      continue;
    }
    if (U_FAILURE(error)) throw EStatus(ERR_NOTESRT_INTERNAL);
    result.resize(static_cast<size_t>(length));
    return result;
  }
  throw EStatus(ERR_NOTESRT_INTERNAL);
}

}  // namespace

std::string LmbcsToUtf8(std::string_view Lmbcs) {
  if (TLmbcsCodec::IsPlainAscii(Lmbcs)) return std::string(Lmbcs);
  return Utf16ToUtf8String(TLmbcsCodec::Shared().Decode(Lmbcs));
}

std::string Utf8ToLmbcs(std::string_view Utf8) {
  if (TLmbcsCodec::IsPlainAscii(Utf8)) return std::string(Utf8);
  return LmbcsOf(Utf8ToUtf16(Utf8));
}

std::string FoldUtf8(std::string_view Utf8) {
  std::u16string folded = MapCase(Utf8ToUtf16(Utf8), [](UChar* out, int32_t size, const UChar* in,
                                                        int32_t length, UErrorCode* error) {
    return u_strFoldCase(out, size, in, length, U_FOLD_CASE_DEFAULT, error);
  });
  return Utf16ToUtf8String(folded);
}

std::string FoldLmbcs(std::string_view Lmbcs) {
  return FoldUtf8(LmbcsToUtf8(Lmbcs));
}

std::string UpperUtf8(std::string_view Utf8) {
  std::u16string upper = MapCase(Utf8ToUtf16(Utf8), [](UChar* out, int32_t size, const UChar* in,
                                                       int32_t length, UErrorCode* error) {
    return u_strToUpper(out, size, in, length, "", error);
  });
  return Utf16ToUtf8String(upper);
}

}  // namespace notesrt
