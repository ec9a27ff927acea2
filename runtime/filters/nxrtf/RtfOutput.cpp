#include "RtfOutput.h"

namespace xrtf {

namespace {

bool IsDigit(char C) {
  return (C >= '0' && C <= '9') || C == '-';
}

// The length of the escape or character that starts at Pos of the escaper's output: \'xx,
// \uN\'3f, \tab with its space, \\ \{ \}, or one plain character.
size_t UnitLength(std::string_view Escaped, size_t Pos) {
  if (Escaped[Pos] != '\\' || Pos + 1 >= Escaped.size()) return 1;
  switch (Escaped[Pos + 1]) {
    case '\'':
      return 4;
    case 'u': {
      size_t end = Pos + 2;
      while (end < Escaped.size() && IsDigit(Escaped[end])) ++end;
      if (Escaped.compare(end, 4, "\\'3f") == 0) end += 4;
      return end - Pos;
    }
    case 't':
      return 5;
    default:
      return 2;
  }
}

}  // namespace

void TRtfOutput::Reserve(size_t Length) {
  if (FColumn > 0 && FColumn + Length > MaxLine) LineBreak();
  FColumn += Length;
}

void TRtfOutput::Word(std::string_view Token) {
  Reserve(Token.size());
  FText += Token;
}

void TRtfOutput::Text(std::string_view Utf8) {
  FEscaped.clear();
  FEscaper.Append(FEscaped, Utf8);
  std::string_view escaped = FEscaped;
  // As much as fits the line goes in one piece, cut only between escapes.
  for (size_t pos = 0; pos < escaped.size();) {
    size_t end = pos + UnitLength(escaped, pos);
    const size_t room = MaxLine > FColumn ? MaxLine - FColumn : 0;
    while (end < escaped.size()) {
      const size_t next = end + UnitLength(escaped, end);
      if (next - pos > room) break;
      end = next;
    }
    Word(escaped.substr(pos, end - pos));
    pos = end;
  }
}

void TRtfOutput::Hex(std::string_view Bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  for (unsigned char byte : Bytes) {
    Reserve(2);
    FText += Digits[byte >> 4];
    FText += Digits[byte & 0xF];
  }
}

void TRtfOutput::LineBreak() {
  if (FColumn == 0) return;  // no empty lines
  FText += "\r\n";
  FColumn = 0;
}

void TRtfOutput::Lines(const TRtfOutput& Other) {
  if (Other.Empty()) return;
  if (FColumn > 0) LineBreak();
  FText += Other.FText;
  FColumn = Other.FColumn;
}

}  // namespace xrtf
