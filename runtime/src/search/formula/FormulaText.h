#pragma once

#include <string>
#include <string_view>

#include "text/LmbcsCodec.h"

namespace notesrt {

// Text item values keep line breaks as NUL; formulas see them as line feeds.
std::u16string TextOfItem(std::string_view Lmbcs);
std::string ItemOfText(std::u16string_view Text);

}  // namespace notesrt
