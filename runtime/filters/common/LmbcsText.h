#pragma once

#include <string>
#include <string_view>

namespace notesfilter {

// Text crosses the filter boundary as LMBCS, converted by the runtime's own OSTranslate in
// pieces cut between characters.
std::string Utf8ToLmbcs(std::string_view Utf8);
std::string LmbcsToUtf8(std::string_view Lmbcs);

// The longest prefix of at most Limit bytes that ends between two characters. UTF-8: a
// malformed byte counts as a character. LMBCS: a character is one byte, or a group byte (0x01
// to 0x1F) and one or two more, so a cut after two bytes that are not group bytes is safe;
// when none is found near the limit the cut is at the limit.
// Text as the records may hold it: control characters would read as LMBCS group bytes and go
// (tabs kept when asked); the noncharacters U+FFFE and U+FFFF become U+FFFD, as every reader of
// an export takes them.
std::string WithoutControls(std::string_view Utf8, bool KeepTabs);

size_t Utf8PrefixLength(std::string_view Utf8, size_t Limit);
size_t LmbcsPrefixLength(std::string_view Lmbcs, size_t Limit);

}  // namespace notesfilter
