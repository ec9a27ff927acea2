#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Windows code pages RTF text is written in.

// The code page of a font's \fcharset; 0 for the charsets that follow the document's \ansicpg
// (ANSI, default, symbol) and for unknown ones.
int32_t CodePageOfCharset(int32_t Charset);

struct UConverter;

// Decodes text bytes as DecodeCodePage does, keeping the converter of the last code page it was
// asked for: a document switches code pages far less often than it has runs of text.
class TCodePageDecoder {
 public:
  TCodePageDecoder() = default;
  TCodePageDecoder(const TCodePageDecoder&) = delete;
  TCodePageDecoder& operator=(const TCodePageDecoder&) = delete;
  ~TCodePageDecoder();

  std::string Decode(int32_t CodePage, std::string_view Bytes);

 private:
  int32_t FCodePage = 0;
  UConverter* FConverter = nullptr;
};

// Bytes of a code page as UTF-8. Code page 1252 by a table of our own (its five unassigned
// bytes as the C1 controls of the same value, as Windows does), the others through ICU; a code
// page ICU does not know is read as 1252. Double-byte code pages take lead and trail byte
// together; an incomplete or invalid sequence gives U+FFFD.
std::string DecodeCodePage(int32_t CodePage, std::string_view Bytes);

// The byte of the character in code page 1252, or -1 when it has none.
int EncodeCp1252(char32_t C);

// Text that should be UTF-8: each well-formed sequence as it is, each other byte read as code
// page 1252.
std::string Utf8OrCp1252(std::string_view Bytes);
