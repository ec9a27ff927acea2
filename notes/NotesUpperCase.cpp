#include "NotesUpperCase.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "Unicode.h"

std::string NotesUpperCase(const std::string& Native) {
  const std::u16string wide = Utf8ToUtf16(Native);
  // Full case mapping may grow a text (German sharp s becomes "SS"), at most threefold.
  std::u16string upper(wide.size() * 3 + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = u_strToUpper(upper.data(), static_cast<int32_t>(upper.size()), wide.data(),
                                      static_cast<int32_t>(wide.size()), "", &error);
  if (U_FAILURE(error)) return Native;
  upper.resize(length);
  return Utf16ToUtf8(upper);
}
