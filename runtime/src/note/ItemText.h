#pragma once

#include <string>
#include <string_view>

#include "notesapi/global.h"

namespace notesrt {

// The text form of a value (after its type word), as NSFItemConvertToText gives it: text as
// stored; list entries joined with Separator; numbers in their shortest exact form; times as
// "YYYY-MM-DD HH:MM:SS" in local time (the date or the time alone when the other is absent);
// rich text as its text runs, paragraphs ended by NUL; anything else (objects) as "".
std::string ValueToText(WORD Type, std::string_view Data, char Separator);

// How ConvertItemToText lays out text whose lines end at NULs (or at the end).
struct TLineLayout {
  std::string_view Delimiter;  // "" ends every line with a NUL
  size_t CharsPerLine = 0;     // 0: lines are never broken
  bool StripTabs = false;
};
// Text (LMBCS) with each line ended by the layout's delimiter; a line longer than CharsPerLine
// characters (a tab counting as eight) is broken after its last blank within the limit, or at
// the limit when it has none.
std::string LaidOutText(std::string_view Text, const TLineLayout& Layout);

}  // namespace notesrt
