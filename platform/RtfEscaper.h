#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes text into RTF with 7-bit bytes only: "\", "{" and "}" escaped, a tab as \tab, NUL
// dropped, characters of code page 1252 as \'xx and every other character as \uN (N signed,
// a surrogate pair above U+FFFF) followed by "?" as \'3f for readers without Unicode.
class TRtfEscaper {
 public:
  // Whether \'xx may be used: the text goes where code page 1252 is in force. Otherwise every
  // character beyond ASCII is written as \uN.
  bool UseCodePage1252 = true;
  // The \ucN in force where the text goes: that many "?" follow each \uN.
  int32_t FallbackCount = 1;

  // Appends the UTF-8 text (ill-formed parts as U+FFFD).
  void Append(std::string& Out, std::string_view Utf8) const;
  std::string Escape(std::string_view Utf8) const;

 private:
  void AppendUnicode(std::string& Out, char32_t C) const;
  void AppendUnit(std::string& Out, char16_t Unit) const;
};

// Plain text as an RTF document: UTF-8 (each byte that is not part of a well-formed sequence
// read as code page 1252), one paragraph per line.
std::string PlainTextToRtf(std::string_view Text);
