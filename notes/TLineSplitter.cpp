#include "TLineSplitter.h"

#include <algorithm>

#include "TextScan.h"

namespace {

// Characters held back after the last line handed on: taking back two of them still leaves the
// character that told whether a CR ended its line alone or began a CR LF.
constexpr size_t Held = 3;

// A line of Text from Start on: where it ends, and where the next one starts (after its CR LF,
// CR or LF). A line runs to the first LF or a CR before it; without either, both are the end.
struct TLineEnd {
  size_t End;
  size_t Next;
};

TLineEnd LineFrom(std::string_view Text, size_t Start) {
  const size_t end = NextLineBreak(Text, Start);
  if (end == Text.size()) return {end, end};
  const bool crLf = Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n';
  return {end, end + (crLf ? 2 : 1)};
}

}  // namespace

TLineSplitter::TLineSplitter(TStringList& Lines) : FLines(Lines) {
  FLines.Clear();
}

// Most of a piece is split where it lies; only the line the tail holds, completed up to its break,
// and the piece's own end are copied into the tail.
void TLineSplitter::Append(std::string_view Piece, bool TakeBackTwo) {
  // The tail always holds at least two characters of a text that is not empty.
  if (TakeBackTwo) FTail.resize(FTail.size() - std::min<size_t>(FTail.size(), 2));
  if (!FTail.empty()) {
    const size_t head = Piece.empty() ? 0 : LineFrom(Piece, 0).Next;
    FTail.append(Piece.substr(0, head));
    Piece.remove_prefix(head);
    FTail.erase(0, AddLines(FTail, Held - std::min(Held, Piece.size())));
    if (!FTail.empty()) {
      FTail.append(Piece);
      FTail.erase(0, AddLines(FTail, Held));
      return;
    }
  }
  FTail.assign(Piece.substr(AddLines(Piece, Held)));
}

void TLineSplitter::Finish() {
  FTail.erase(0, AddLines(FTail, 0));
  if (!FTail.empty()) FLines.Add(std::move(FTail));
  FTail.clear();
}

// Hands on every line of Text whose break ends Keep or more characters before its end, and tells
// where the first line not handed on starts.
size_t TLineSplitter::AddLines(std::string_view Text, size_t Keep) {
  size_t start = 0;
  while (start < Text.size()) {
    const TLineEnd line = LineFrom(Text, start);
    if (line.End == Text.size() || line.Next + Keep > Text.size()) break;
    FLines.Add(std::string(Text.substr(start, line.End - start)));
    FHandedOn = true;
    start = line.Next;
  }
  return start;
}
