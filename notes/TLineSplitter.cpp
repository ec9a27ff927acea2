#include "TLineSplitter.h"

TLineSplitter::TLineSplitter(TStringList& Lines) : FLines(Lines) {
  FLines.Clear();
}

void TLineSplitter::AppendLine(std::string_view Piece) {
  if (Piece.empty()) return;
  // A LF right after a CR that ended the text so far makes the two one break.
  if (Piece.front() == '\n' && FAfterCr) {
    FAfterCr = false;
    Piece.remove_prefix(1);
    if (Piece.empty()) return;
  }
  if (Piece.back() == '\n') {
    const bool crLf = Piece.size() > 1 && Piece[Piece.size() - 2] == '\r';
    EndLine(Piece.substr(0, Piece.size() - (crLf ? 2 : 1)), false);
  } else if (Piece.back() == '\r') {
    EndLine(Piece.substr(0, Piece.size() - 1), true);
  } else {
    FTail.append(Piece);
    FAfterCr = false;
  }
}

void TLineSplitter::EndLine(std::string_view Rest, bool BareCr) {
  if (FTail.empty()) {
    FLines.Add(std::string(Rest));
  } else {
    FTail.append(Rest);
    FLines.Add(std::move(FTail));
    FTail.clear();
  }
  FAfterCr = BareCr;
}

void TLineSplitter::Finish() {
  if (!FTail.empty()) FLines.Add(std::move(FTail));
  FTail.clear();
}
