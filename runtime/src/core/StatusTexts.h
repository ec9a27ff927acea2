#pragma once

#include <string_view>

#include "notesapi/global.h"

namespace notesrt {

// The message of a status (flag bits ignored); empty for a code the runtime does not know.
std::string_view StatusText(STATUS Status);

}  // namespace notesrt
