#pragma once

#include <map>
#include <string>

// Freedesktop desktop entry files (".desktop").

// The keys of the group [Desktop Entry] with their values unescaped (\s \n \t \r \\); localised
// keys ("Name[de]") keep their brackets. Lines outside that group, comments and lines without
// "=" are skipped.
std::map<std::string, std::string> ParseDesktopEntry(const std::string& Text);

// The target of a link entry (Type=Link): its URL, or for a "file:" URL on this machine the
// decoded path. Empty for any other entry.
std::string DesktopLinkTarget(const std::string& Text);

// The path of a "file:" URL naming a file on this machine (no host, or "localhost"),
// percent-decoded; false for anything else.
bool DecodeFileUrl(const std::string& Url, std::string& Path);
