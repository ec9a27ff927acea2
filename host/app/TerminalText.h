#pragma once

#include <string>
#include <string_view>

// Text from a mail or an address book made safe to print on a terminal: a tab or line break
// (CR LF counting as one) becomes a blank, any other control character (C0, DEL, C1) a "?", so
// that a field can neither change the terminal (titles, colours, clearing the screen) nor
// break a line in two.
std::string TerminalText(std::string_view Text);
