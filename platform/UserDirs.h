#pragma once

#include <map>
#include <string>

// The XDG user folders (xdg-user-dirs).

// The folders a user-dirs.dirs text sets, by name without "XDG_" and "_DIR" ("DESKTOP",
// "DOCUMENTS" ...). Values are quoted and either absolute or "$HOME/..." (Home replaces
// $HOME); a backslash keeps the next character; other lines are skipped.
std::map<std::string, std::string> ParseUserDirs(const std::string& Text, const std::string& Home);

// A user folder as xdg-user-dir tells it: the setting of $XDG_CONFIG_HOME/user-dirs.dirs
// (default ~/.config), else the home folder ($HOME/Desktop for DESKTOP).
std::string UserDir(const std::string& Name);

// $HOME, or the user's home folder from the password database.
std::string HomeDirectory();
// An XDG base folder: the variable when set to an absolute path, else $HOME/Fallback.
std::string XdgBaseDirectory(const char* Variable, const std::string& Fallback);
