#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Item names match without regard to case. Notes item names are ASCII in practice, so folding
// the ASCII letters of the LMBCS bytes is enough and leaves every other byte as it is.
bool SameItemName(std::string_view A, std::string_view B);

}  // namespace notesrt
