#pragma once

#include <filesystem>
#include <optional>

// Makes sure the Notes runtime finds settings before the plug-in module starts it, and returns
// the settings file it will use.
// - With EnvDir (--env), that folder always wins: NOTES_INI points to its notes.ini, and the
//   demo environment (TDemoEnvironment) is made there first when it has none.
// - Otherwise settings the user already has are used: NOTES_INI when set, else the runtime's
//   default $HOME/notes/data/notes.ini when it exists.
// - Otherwise the host's own folder ${XDG_DATA_HOME:-$HOME/.local/share}/vesk-mail is
//   prepared like an EnvDir.
std::filesystem::path PrepareNotesEnvironment(const std::optional<std::filesystem::path>& EnvDir);
