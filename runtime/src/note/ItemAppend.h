#pragma once

#include <string_view>
#include <vector>

#include "note/Note.h"

namespace notesrt {

// Appends one item, changed now. The test hook of NotesRTFailItemAppend may make it fail.
TNoteItem& AppendItem(TNote& Note, std::string_view Name, WORD Flags, WORD Type,
                      std::string_view Value);
// Appends Pieces as TYPE_COMPOSITE items of Name, all or none: when an append fails, the items
// appended before it are removed again and the failure is raised.
void AppendRichTextItems(TNote& Note, std::string_view Name,
                         const std::vector<std::string_view>& Pieces);
// Arms the test hook: after AppendsBefore more appends the next one fails with Failure, once.
// Failure NOERROR disarms it.
void FailItemAppend(DWORD AppendsBefore, STATUS Failure);

}  // namespace notesrt
