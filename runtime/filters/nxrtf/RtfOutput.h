#pragma once

#include <string>
#include <string_view>

#include "RtfEscaper.h"

namespace xrtf {

// RTF being written, in 7-bit bytes, with a CR LF put between tokens (where readers ignore it)
// so that no line grows past MaxLine characters: the text reaches its readers as lines.
class TRtfOutput {
 public:
  static constexpr size_t MaxLine = 250;

  // A control word with its delimiter, a group brace, or any other piece never to be split.
  void Word(std::string_view Token);
  // UTF-8 text, escaped (TRtfEscaper) and split only between escapes.
  void Text(std::string_view Utf8);
  // Bytes as hexadecimal digits, as pictures are written.
  void Hex(std::string_view Bytes);
  // Ends the line now: after a paragraph mark, for readable lines.
  void LineBreak();
  // Appends what another output wrote, on lines of its own.
  void Lines(const TRtfOutput& Other);

  const std::string& Result() const { return FText; }
  bool Empty() const { return FText.empty(); }

 private:
  void Reserve(size_t Length);

  std::string FText;
  size_t FColumn = 0;
  TRtfEscaper FEscaper;
  std::string FEscaped;
};

}  // namespace xrtf
