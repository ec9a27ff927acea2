#pragma once

#include <string>
#include <string_view>

#include "StringList.h"

// Splits a text that arrives in pieces into the lines of a string list, exactly as
// TStringList::SetText would split the whole text, without ever holding the whole text: only
// its end is kept, and a line goes to the list once no later piece can change it. Before a
// piece the last two characters so far may be taken back (a line break that the piece's text
// goes on from).
class TLineSplitter {
 public:
  // Clears Lines.
  explicit TLineSplitter(TStringList& Lines);
  TLineSplitter(const TLineSplitter&) = delete;
  TLineSplitter& operator=(const TLineSplitter&) = delete;

  bool Empty() const { return !FHandedOn && FTail.empty(); }
  void Append(std::string_view Piece, bool TakeBackTwo);
  // Adds the lines still held; a final line break adds no empty line.
  void Finish();

 private:
  size_t AddLines(std::string_view Text, size_t Keep);

  TStringList& FLines;
  std::string FTail;
  bool FHandedOn = false;
};
