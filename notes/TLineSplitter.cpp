#include "TLineSplitter.h"

#include <algorithm>
#include <cstring>

namespace {

// Characters held back after the last line handed on: taking back two of them still leaves the
// character that told whether a CR ended its line alone or began a CR LF.
constexpr size_t Held = 3;

}  // namespace

TLineSplitter::TLineSplitter(TStringList& Lines) : FLines(Lines) {
  FLines.Clear();
}

void TLineSplitter::Append(std::string_view Piece, bool TakeBackTwo) {
  // The tail always holds at least two characters of a text that is not empty.
  if (TakeBackTwo) FTail.resize(FTail.size() - std::min<size_t>(FTail.size(), 2));
  FTail.append(Piece);
  AddLines(Held);
}

void TLineSplitter::Finish() {
  AddLines(0);
  if (!FTail.empty()) FLines.Add(std::move(FTail));
  FTail.clear();
}

// Hands on every line whose break ends Keep or more characters before the end of the tail. A
// line ends at the first LF or at a CR before it, each found with one memchr.
void TLineSplitter::AddLines(size_t Keep) {
  const char* text = FTail.data();
  const size_t size = FTail.size();
  size_t start = 0;
  while (start < size) {
    const auto* lf = static_cast<const char*>(memchr(text + start, '\n', size - start));
    const size_t lfAt = lf ? static_cast<size_t>(lf - text) : size;
    const auto* cr = static_cast<const char*>(memchr(text + start, '\r', lfAt - start));
    const size_t lineBreak = cr ? static_cast<size_t>(cr - text) : lfAt;
    if (lineBreak == size) break;
    const bool crLf =
        text[lineBreak] == '\r' && lineBreak + 1 < size && text[lineBreak + 1] == '\n';
    const size_t next = lineBreak + (crLf ? 2 : 1);
    if (next + Keep > size) break;
    FLines.Add(std::string(text + start, lineBreak - start));
    FHandedOn = true;
    start = next;
  }
  FTail.erase(0, start);
}
