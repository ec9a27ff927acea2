#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "RtfReader.h"

// The text a reader shows of an RTF document, as UTF-8: \par, \sect, \line and the end of a
// table row as "\n", a table cell's end and \tab as a tab; nothing of hidden destinations
// (tables, pictures, field instructions, headers, list markers, {\*...}). A paragraph mark at
// the very end opens no empty paragraph.
class TRtfTextExtractor : public TRtfHandler {
 public:
  void Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) override;
  void Text(const TRtfReader& Reader, std::string_view Utf8) override;

  std::string Result() const;
  // Whether nothing but a paragraph mark followed the last text, and where that \par stands.
  bool EndsWithPar() const { return FEndsWithPar; }
  size_t LastParOffset() const { return FLastParOffset; }

 private:
  std::string FText;
  bool FEndsWithPar = false;
  size_t FLastParOffset = 0;
};

// The text of an RTF document; input that is not RTF is plain text (see PlainTextToRtf).
std::string RtfToText(std::string_view Input);
