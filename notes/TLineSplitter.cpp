#include "TLineSplitter.h"

#include <algorithm>

TLineSplitter::TLineSplitter(TStringList& Lines) : FLines(Lines) {
  FLines.Clear();
}

void TLineSplitter::AppendLine(std::string_view Piece, bool TakeBackTwo) {
  if (TakeBackTwo) TakeBack(2);
  if (Piece.empty()) return;
  // A LF right after a CR that ended the text so far makes the two one break.
  if (Piece.front() == '\n' && FTail.empty() && !FBreaks.empty() && FBreaks.back() == 'r') {
    FBreaks.back() = 'c';
    Piece.remove_prefix(1);
    if (Piece.empty()) return;
  }
  if (Piece.back() == '\n') {
    const bool crLf = Piece.size() > 1 && Piece[Piece.size() - 2] == '\r';
    EndLine(Piece.substr(0, Piece.size() - (crLf ? 2 : 1)), crLf ? 'c' : 'n');
  } else if (Piece.back() == '\r') {
    EndLine(Piece.substr(0, Piece.size() - 1), 'r');
  } else {
    FTail.append(Piece);
  }
}

void TLineSplitter::EndLine(std::string_view Rest, char Break) {
  if (FTail.empty()) {
    FLines.Add(std::string(Rest));
  } else {
    FTail.append(Rest);
    FLines.Add(std::move(FTail));
    FTail.clear();
  }
  FBreaks.push_back(Break);
}

// Takes characters off the end of the text so far: off the open line, then off the last line
// break, which opens the line before it again.
void TLineSplitter::TakeBack(size_t Count) {
  while (Count > 0) {
    if (!FTail.empty()) {
      const size_t taken = std::min(Count, FTail.size());
      FTail.resize(FTail.size() - taken);
      Count -= taken;
      continue;
    }
    if (FBreaks.empty()) return;
    if (FBreaks.back() == 'c' && Count == 1) {
      FBreaks.back() = 'r';
      return;
    }
    Count -= FBreaks.back() == 'c' ? 2 : 1;
    FBreaks.pop_back();
    const int last = FLines.Count() - 1;
    FTail = FLines.Strings(last);
    FLines.Delete(last);
  }
}

void TLineSplitter::Finish() {
  if (!FTail.empty()) FLines.Add(std::move(FTail));
  FTail.clear();
}
