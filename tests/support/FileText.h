#pragma once

#include <filesystem>
#include <string>

namespace vesktest {

// Whole-file reads and writes for tests that inspect what a unit stored on disk.
std::string ReadFileText(const std::filesystem::path& File);
void WriteFileText(const std::filesystem::path& File, const std::string& Text);

}  // namespace vesktest
