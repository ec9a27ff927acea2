#pragma once

#include <string>
#include <string_view>

#include "StringList.h"

// Splits a text that arrives in pieces into the lines of a string list, exactly as
// TStringList::SetText would split the whole text, without ever holding the whole text: a line
// goes to the list as soon as its break arrives, and only the unfinished last line is kept.
// Before a piece the last two characters so far may be taken back (a line break that the
// piece's text goes on from); a line already handed on is then taken back into the list's end.
class TLineSplitter {
 public:
  // Clears Lines.
  explicit TLineSplitter(TStringList& Lines);
  TLineSplitter(const TLineSplitter&) = delete;
  TLineSplitter& operator=(const TLineSplitter&) = delete;

  bool Empty() const { return FBreaks.empty() && FTail.empty(); }
  // Piece's only line break, if any, ends it (CR, LF or CR LF): nothing in it is searched for
  // breaks. TakeBackTwo takes the last two characters so far back first.
  void AppendLine(std::string_view Piece, bool TakeBackTwo);
  // Adds the line still open; a final line break adds no empty line.
  void Finish();

 private:
  void TakeBack(size_t Count);
  void EndLine(std::string_view Rest, char Break);

  TStringList& FLines;
  std::string FTail;  // the line not yet ended
  // The break of each line handed on: 'c' CR LF, 'r' CR, 'n' LF. A text that ends in a CR may
  // still turn it into a CR LF.
  std::string FBreaks;
};
