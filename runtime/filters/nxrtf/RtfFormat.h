#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "RtfOutput.h"
#include "notesapi/editods.h"
#include "notesapi/fontid.h"

namespace xrtf {

// LMBCS text to UTF-8.
using TLmbcsDecoder = std::function<std::string(std::string_view)>;

// The 16 Notes colours as an RTF colour table: Notes colour N is \cf(N+1); entry 0 is "auto".
void WriteColorTable(TRtfOutput& Out);

// The faces a document's runs may name: the five every client knows and those of a leading
// CDFONTTABLE. RTF font N is face N.
class TRtfFonts {
 public:
  TRtfFonts();
  // Adds the faces of a CDFONTTABLE record (header included), as far as the record holds them.
  void AddTable(std::string_view Record, const TLmbcsDecoder& Decode);
  void WriteTable(TRtfOutput& Out) const;
  // The control words of a run's font, ending with the delimiter: face, size, attributes and
  // colour. An unknown face is written as the sans-serif face.
  std::string RunWords(FONTID Font) const;

 private:
  struct TFace {
    std::string Family;
    std::string Name;  // UTF-8
  };
  std::map<int, TFace> FFaces;
};

// The control words of a paragraph definition after \pard: alignment, indents, spacing, tabs.
std::string ParagraphWords(const CDPABDEFINITION& Pab);

}  // namespace xrtf
