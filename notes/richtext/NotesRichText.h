#pragma once

#include <string>

// Module start-up of the rich-text library: finds the Notes program and data directories once
// (before the runtime is initialised) and keeps them until shutdown.
void NotesRichTextInitialize();
void NotesRichTextFinalize();

// The directories found at start-up, each with a trailing "/" ("" when unknown).
const std::string& NotesProgramDir();
const std::string& NotesDataDir();
