#pragma once

#include <string_view>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

namespace design {

// Which design notes a lookup considers: shared ones, or the current user's private ones.
enum class TDesignScope { Shared, Private };

// The first design note (in note ID order) of a class in Class whose title matches Name (see
// TitleMatches), other than Except; 0 when there is none.
NOTEID FindDesignNote(TDatabase& Database, std::string_view Name, WORD Class, TDesignScope Scope,
                      NOTEID Except = 0);

// Folders (shared, or the current user's private ones) whose main title is Title or lies below
// it (Title, a backslash, more), in note ID order.
std::vector<NOTEID> FolderTree(TDatabase& Database, std::string_view Title);

}  // namespace design

}  // namespace notesrt
