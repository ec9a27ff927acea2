#pragma once

#include <filesystem>
#include <optional>

// Makes sure the Notes runtime finds settings before the plug-in module starts it, and returns
// the settings file it will use.
// - With EnvDir (--env), that folder always wins: it gets a data directory and a notes.ini
//   naming it (both kept when they exist) and NOTES_INI points there.
// - Otherwise settings the user already has are used: NOTES_INI when set, else the runtime's
//   default $HOME/notes/data/notes.ini when it exists.
// - Otherwise the host's own folder ${XDG_DATA_HOME:-$HOME/.local/share}/vesk-mail is
//   prepared like an EnvDir.
std::filesystem::path PrepareNotesEnvironment(const std::optional<std::filesystem::path>& EnvDir);
