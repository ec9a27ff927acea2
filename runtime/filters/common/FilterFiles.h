#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace notesfilter {

// The most a filter reads into memory: far above any mail body, far below the machine.
inline constexpr uintmax_t MaxInputFile = 256u << 20;

// The whole of a filter's input file. EStatus ERR_NOTESRT_FILTER_READ when it cannot be read,
// ERR_NOTESRT_FILTER_TOO_BIG past MaxInputFile.
std::string ReadInputFile(const std::filesystem::path& Path);

// Writes Bytes to a new file beside Path and renames it over Path: a reader never finds half a
// file, and a symbolic link at Path is replaced, not followed. EStatus ERR_NOTESRT_FILTER_WRITE,
// leaving no new file behind, when it cannot.
void WriteFileWhole(const std::filesystem::path& Path, std::string_view Bytes);

}  // namespace notesfilter
