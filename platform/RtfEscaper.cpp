#include "RtfEscaper.h"

#include "RtfCodePage.h"
#include "Unicode.h"

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& Out, int Byte) {
  Out += "\\'";
  Out += HexDigits[(Byte >> 4) & 0xF];
  Out += HexDigits[Byte & 0xF];
}

}  // namespace

void TRtfEscaper::Append(std::string& Out, std::string_view Utf8) const {
  size_t Pos = 0;
  while (Pos < Utf8.size()) {
    char32_t C = NextUtf8CodePoint(Utf8, Pos);
    if (C == 0) continue;
    if (C == '\t') {
      Out += "\\tab ";
    } else if (C == '\\' || C == '{' || C == '}') {
      Out += '\\';
      Out += static_cast<char>(C);
    } else if (C >= 0x20 && C < 0x7F) {
      Out += static_cast<char>(C);
    } else {
      int Byte = UseCodePage1252 && C >= 0x80 ? EncodeCp1252(C) : -1;
      if (Byte >= 0) {
        AppendHexByte(Out, Byte);
      } else {
        AppendUnicode(Out, C);
      }
    }
  }
}

std::string TRtfEscaper::Escape(std::string_view Utf8) const {
  std::string Out;
  Append(Out, Utf8);
  return Out;
}

void TRtfEscaper::AppendUnicode(std::string& Out, char32_t C) const {
  if (C <= 0xFFFF) return AppendUnit(Out, static_cast<char16_t>(C));
  C -= 0x10000;
  AppendUnit(Out, static_cast<char16_t>(0xD800 + (C >> 10)));
  AppendUnit(Out, static_cast<char16_t>(0xDC00 + (C & 0x3FF)));
}

void TRtfEscaper::AppendUnit(std::string& Out, char16_t Unit) const {
  // RTF parameters are signed 16-bit numbers.
  Out += "\\u" + std::to_string(static_cast<int16_t>(Unit));
  if (FallbackCount <= 0) {
    Out += ' ';
    return;
  }
  for (int32_t I = 0; I < FallbackCount; ++I) Out += "\\'3f";
}

std::string PlainTextToRtf(std::string_view Text) {
  std::string Utf8 = Utf8OrCp1252(Text);
  std::string Out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1 ";
  TRtfEscaper Escaper;
  size_t Start = 0;
  while (Start < Utf8.size()) {
    size_t Break = Utf8.find_first_of("\r\n", Start);
    if (Break == std::string::npos) {
      Escaper.Append(Out, std::string_view(Utf8).substr(Start));
      break;
    }
    Escaper.Append(Out, std::string_view(Utf8).substr(Start, Break - Start));
    Out += "\\par\r\n";
    Start = Break + (Utf8.compare(Break, 2, "\r\n") == 0 ? 2 : 1);
  }
  return Out + "}";
}
