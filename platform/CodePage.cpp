#include "CodePage.h"

#include <iconv.h>

#include <cerrno>

#include "Unicode.h"

namespace {

std::string ConverterName(uint16_t CodePage) {
  switch (CodePage) {
    case 1200:
      return "UTF-16LE";
    case 1201:
      return "UTF-16BE";
    case 65001:
      return "UTF-8";
    default:
      return "CP" + std::to_string(CodePage);
  }
}

// Converts with iconv; an unreadable byte becomes U+FFFD and is stepped over. Empty when the
// C library has no converter for the code page.
std::optional<std::string> Convert(std::string_view Bytes, const std::string& From) {
  const iconv_t converter = iconv_open("UTF-8", From.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char buffer[4096];
  char* in = const_cast<char*>(Bytes.data());
  size_t inLeft = Bytes.size();
  while (inLeft > 0) {
    char* to = buffer;
    size_t toLeft = sizeof(buffer);
    const size_t result = iconv(converter, &in, &inLeft, &to, &toLeft);
    out.append(buffer, static_cast<size_t>(to - buffer));
    if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or a sequence cut at the end: one replacement character for the byte.
    out += "\xEF\xBF\xBD";
    ++in;
    --inLeft;
  }
  iconv_close(converter);
  return out;
}

std::string Cp1252ToUtf8(std::string_view Bytes) {
  if (auto text = Convert(Bytes, "CP1252")) return *text;
  std::string out;  // a C library without CP1252: Latin-1 is its nearest subset
  for (const char c : Bytes) AppendUtf8(out, static_cast<uint8_t>(c));
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view Bytes) {
  for (size_t pos = 0; pos < Bytes.size();) {
    const size_t start = pos;
    if (NextUtf8CodePoint(Bytes, pos) == 0xFFFD &&
        Bytes.substr(start, pos - start) != "\xEF\xBF\xBD")
      return false;
  }
  return true;
}

std::string CodePageToUtf8(std::string_view Bytes, std::optional<uint16_t> CodePage) {
  if (!CodePage) return IsValidUtf8(Bytes) ? std::string(Bytes) : Cp1252ToUtf8(Bytes);
  if (*CodePage == 1252) return Cp1252ToUtf8(Bytes);
  if (auto text = Convert(Bytes, ConverterName(*CodePage))) return *text;
  return IsValidUtf8(Bytes) ? std::string(Bytes) : Cp1252ToUtf8(Bytes);
}
