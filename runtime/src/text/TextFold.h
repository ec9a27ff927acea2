#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// LMBCS text (as the API receives it) to UTF-8 (as the file system and ICU want it).
std::string LmbcsToUtf8(std::string_view Lmbcs);
std::string Utf8ToLmbcs(std::string_view Utf8);
// Unicode case folding, for keys that compare without regard to case (user and profile names,
// file names on disk).
std::string FoldUtf8(std::string_view Utf8);
std::string FoldLmbcs(std::string_view Lmbcs);
// Unicode upper case of UTF-8 text.
std::string UpperUtf8(std::string_view Utf8);

}  // namespace notesrt
