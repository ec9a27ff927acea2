#pragma once

#include <string>

// Module start-up of the rich-text library: finds the Notes program and data directories once
// (before the runtime is initialised) and keeps them until shutdown; shutdown also removes the
// temporary files.
void NotesRichTextInitialize();
void NotesRichTextFinalize();

// The directories found at start-up, each with a trailing "/" ("" when unknown).
const std::string& NotesProgramDir();
const std::string& NotesDataDir();

// A new empty file Prefix, a number, Suffix in this process's private temporary directory
// ("~rtf", "~cd", "~", "~import" ... ".bmp"); the name fits a filter's 100-byte field. Raises
// ETempFileError when no such file can be made.
std::string RichTextTempFile(const std::string& Prefix, const std::string& Suffix = ".tmp");
