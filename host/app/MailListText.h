#pragma once

#include <ostream>

class TStringList;

// Writes the mail list of GetMailItems (one line per mail: note ID, date, sender, recipients,
// subject and attachment count joined by "|"): with Raw the lines as they are (control characters
// made harmless, see TerminalText), else a table with a header, hierarchical names shown without
// their "CN=" and "O=" labels and long texts shortened to fit their column.
void WriteMailList(const TStringList& Lines, bool Raw, std::ostream& Out);
