#pragma once

#include <string>
#include <vector>

// Splits a parameter text into words the way a shell would, but only at blanks and with quoting:
// single quotes keep everything, double quotes keep everything but a backslash before " \ $ or
// `, a backslash outside quotes keeps the next character. Nothing is expanded: "$", "*" and "~"
// are plain characters. An unclosed quote runs to the end.
std::vector<std::string> SplitShellWords(const std::string& Text);
