#pragma once

#include <ostream>

class TStringList;

// Writes the address list of GetAddressItems (four lines per person: first name, last name,
// company, mail address): with Raw the lines as they are (control characters made harmless, see
// TerminalText), else one person per line as "First Last, Company <address>", leaving out what is
// empty.
void WriteAddressList(const TStringList& Lines, bool Raw, std::ostream& Out);
