#pragma once

#include <string>
#include <string_view>

#include "StringList.h"

// Splits a text that arrives in pieces into the lines of a string list, exactly as
// TStringList::SetText would split the whole text, without ever holding the whole text: a line
// goes to the list as soon as its break arrives, and only the unfinished last line is kept.
class TLineSplitter {
 public:
  // Clears Lines.
  explicit TLineSplitter(TStringList& Lines);
  TLineSplitter(const TLineSplitter&) = delete;
  TLineSplitter& operator=(const TLineSplitter&) = delete;

  // Piece's only line break, if any, ends it (CR, LF or CR LF): nothing in it is searched for
  // breaks.
  void AppendLine(std::string_view Piece);
  // Adds the line still open; a final line break adds no empty line.
  void Finish();

 private:
  void EndLine(std::string_view Rest, bool BareCr);

  TStringList& FLines;
  std::string FTail;  // the line not yet ended
  // Whether the last line handed on ended with a bare CR, which a LF arriving next joins.
  bool FAfterCr = false;
};
