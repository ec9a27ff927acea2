#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Names and texts between the formula (UTF-16) and the note (LMBCS).
std::string LmbcsOf(std::u16string_view Text);
std::u16string TextOfLmbcs(std::string_view Lmbcs);

// Text item values keep line breaks as NUL; formulas see them as line feeds.
std::u16string TextOfItem(std::string_view Lmbcs);
std::string ItemOfText(std::u16string_view Text);

}  // namespace notesrt
