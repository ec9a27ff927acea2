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

}  // namespace notesrt
