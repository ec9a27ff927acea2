#include "RtfCodePage.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <string>

#include "Unicode.h"

namespace {

// Bytes 0x80 to 0x9F of code page 1252; 0 where the byte is unassigned.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Cp1252Char(uint8_t Byte) {
  if (Byte < 0x80 || Byte >= 0xA0) return Byte;
  char16_t C = Cp1252High[Byte - 0x80];
  return C != 0 ? C : Byte;
}

// Runs of ASCII, most of any text, are copied whole.
std::string DecodeCp1252(std::string_view Bytes) {
  std::string Out;
  Out.reserve(Bytes.size());
  for (size_t At = 0; At < Bytes.size();) {
    size_t End = At;
    while (End < Bytes.size() && static_cast<uint8_t>(Bytes[End]) < 0x80) ++End;
    Out.append(Bytes.data() + At, End - At);
    if (End < Bytes.size()) AppendUtf8(Out, Cp1252Char(static_cast<uint8_t>(Bytes[End++])));
    At = End;
  }
  return Out;
}

std::string IcuName(int32_t CodePage) {
  switch (CodePage) {
    case 437:
    case 850:
      return "ibm-" + std::to_string(CodePage);
    case 10000:
      return "macintosh";
    default:
      return "windows-" + std::to_string(CodePage);
  }
}

// RTF itself is ASCII: a code page that reads ASCII otherwise (UTF-16, EBCDIC) is none an RTF
// writer uses.
bool KeepsAscii(UConverter* Converter) {
  std::string Ascii;
  for (char C = 0x20; C < 0x7f; ++C) Ascii += C;
  char16_t Units[0x60];
  UErrorCode Status = U_ZERO_ERROR;
  int32_t Length = ucnv_toUChars(Converter, Units, 0x60, Ascii.data(),
                                 static_cast<int32_t>(Ascii.size()), &Status);
  ucnv_resetToUnicode(Converter);
  return U_SUCCESS(Status) && static_cast<size_t>(Length) == Ascii.size() &&
         std::equal(Ascii.begin(), Ascii.end(), Units);
}

}  // namespace

int32_t CodePageOfCharset(int32_t Charset) {
  switch (Charset) {
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return 0;
  }
}

TCodePageDecoder::~TCodePageDecoder() {
  if (FConverter) ucnv_close(FConverter);
}

std::string TCodePageDecoder::Decode(int32_t CodePage, std::string_view Bytes) {
  if (CodePage == 1252 || Bytes.empty()) return DecodeCp1252(Bytes);
  if (CodePage != FCodePage) {
    if (FConverter) ucnv_close(FConverter);
    UErrorCode Status = U_ZERO_ERROR;
    FConverter = ucnv_open(IcuName(CodePage).c_str(), &Status);
    if (U_FAILURE(Status)) FConverter = nullptr;
    FCodePage = CodePage;
    if (FConverter && !KeepsAscii(FConverter)) {
      ucnv_close(FConverter);
      FConverter = nullptr;
    }
  }
  if (!FConverter) return DecodeCp1252(Bytes);
  // At most one UTF-16 unit per byte, plus room for a replacement at the end.
  std::u16string Units(Bytes.size() + 1, u'\0');
  UErrorCode Status = U_ZERO_ERROR;
  ucnv_resetToUnicode(FConverter);
  int32_t Length = ucnv_toUChars(FConverter, Units.data(), static_cast<int32_t>(Units.size()),
                                 Bytes.data(), static_cast<int32_t>(Bytes.size()), &Status);
  if (U_FAILURE(Status)) return DecodeCp1252(Bytes);
  Units.resize(static_cast<size_t>(Length));
  // ICU substitutes SUB for what it cannot read; control bytes never reach it, so every SUB is
  // such a substitution.
  std::replace(Units.begin(), Units.end(), u'\x1a', u'\xfffd');
  return Utf16ToUtf8(Units);
}

std::string DecodeCodePage(int32_t CodePage, std::string_view Bytes) {
  TCodePageDecoder Decoder;
  return Decoder.Decode(CodePage, Bytes);
}

int EncodeCp1252(char32_t C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<int>(C);
  for (int I = 0; I < 32; ++I) {
    if (Cp1252High[I] != 0 && Cp1252High[I] == C) return 0x80 + I;
  }
  return -1;
}

std::string Utf8OrCp1252(std::string_view Bytes) {
  std::string Out;
  Out.reserve(Bytes.size());
  size_t Pos = 0;
  while (Pos < Bytes.size()) {
    size_t Next = Pos;
    char32_t C = NextUtf8CodePoint(Bytes, Next);
    bool Replaced = C == 0xFFFD && Bytes.substr(Pos, Next - Pos) != "\xEF\xBF\xBD";
    if (Replaced) {
      C = Cp1252Char(static_cast<uint8_t>(Bytes[Pos]));
      Next = Pos + 1;
    }
    AppendUtf8(Out, C);
    Pos = Next;
  }
  return Out;
}
