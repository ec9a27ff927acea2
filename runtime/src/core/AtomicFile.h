#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Writes Bytes to Path whole or not at all: they go to a new file in Path's directory, which is
// then renamed over Path. On failure an existing file stays as it was and no partial file is
// left. A symbolic link at Path is replaced by the file, never followed. An existing regular
// file keeps its permissions; a new one gets the usual ones (0666 less the umask).
// With Durable the bytes and the rename reach the disk before it returns (files a user keeps);
// without, a process that dies still leaves the old file or the whole new one, but a machine
// that stops may not (files read at once and deleted, as the filters' outputs).
// Returns 0 or the errno of the step that failed.
int WriteFileAtomically(const std::string& Path, std::string_view Bytes, bool Durable = true);

}  // namespace notesrt
