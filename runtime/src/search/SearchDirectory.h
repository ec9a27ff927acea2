#pragma once

#include <filesystem>

#include "notesapi/nsfsearc.h"

namespace notesrt {

// NSFSearch with SEARCH_FILETYPE over a directory handle: one match per database, template or
// (with FILE_DIRS or FILE_DIRSONLY) subdirectory, in name order, with the summary items $TITLE
// (the file name), $Type ($NOTEFILE or $DIR), $Info (the information buffer), $Path (relative
// to the data or server directory), $Modified and $Length. Never a ".." entry.
STATUS SearchDirectory(const std::filesystem::path& Directory, WORD Flags, WORD FileTypes,
                       NSFSEARCHPROC Routine, void* Parameter);

}  // namespace notesrt
