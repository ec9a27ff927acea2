#pragma once

#include <ostream>
#include <string>
#include <vector>

// Columns of text for a terminal. Widths count characters of UTF-8, not bytes.
size_t TextWidth(const std::string& Text);
// Text cut to MaxWidth characters, ending in "..." when cut; 0 leaves it whole.
std::string Shortened(const std::string& Text, size_t MaxWidth);
// Each row on a line, its columns as wide as their widest text, two blanks apart; the last
// column is not padded.
void WriteTable(const std::vector<std::vector<std::string>>& Rows, std::ostream& Out);
