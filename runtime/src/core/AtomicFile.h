#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Writes Bytes to Path whole or not at all: they go to a new file in Path's directory, which is
// then renamed over Path. On failure an existing file stays as it was and no partial file is
// left. A symbolic link at Path is replaced by the file, never followed. An existing regular
// file keeps its permissions; a new one gets the usual ones (0666 less the umask).
// Returns 0 or the errno of the step that failed.
int WriteFileAtomically(const std::string& Path, std::string_view Bytes);

}  // namespace notesrt
