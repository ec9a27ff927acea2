#pragma once

#include <string>

namespace notesrt {

// The Notes program directory: where libnotesrt.so itself lies, with the filter libraries
// installed beside it. Empty when the runtime cannot tell where it was loaded from.
std::string ProgramDirectory();

}  // namespace notesrt
