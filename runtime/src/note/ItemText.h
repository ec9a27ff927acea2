#pragma once

#include <string>
#include <string_view>

#include "notesapi/global.h"

namespace notesrt {

// The text form of a value (after its type word), as NSFItemConvertToText gives it: text as
// stored; list entries joined with Separator; numbers in their shortest exact form; times in local
// time as the locale's regional settings write them (the date or the time alone when the other
// is absent); rich text as its text runs, a NUL where a paragraph starts after a run or an
// earlier paragraph, up to a damaged record if any; anything else (objects) as "".
std::string ValueToText(WORD Type, std::string_view Data, char Separator);
// The entries of a TYPE_TEXT_LIST value joined with Separator.
std::string ListText(std::string_view Data, std::string_view Separator);

// How ValueLines lays out lines.
struct TLineLayout {
  std::string_view Delimiter;  // "" ends every line with a NUL
  size_t CharsPerLine = 0;     // 0: lines are never broken
  bool StripTabs = false;
};
// A TYPE_COMPOSITE or TYPE_TEXT value (after its type word) as lines of LMBCS text, each ended
// by the layout's delimiter. A line is a paragraph, or the part of one a NUL ends; rich text
// has its first line at its first paragraph or text run, so a paragraph before any run gives no
// empty line. A line longer than CharsPerLine characters (a tab counting as eight) is broken
// after its last blank within the limit, or at the limit when it has none. EStatus
// ERR_NOTESRT_RICH_TEXT_DAMAGED when a record of rich text is damaged.
std::string ValueLines(WORD Type, std::string_view Data, const TLineLayout& Layout);

}  // namespace notesrt
