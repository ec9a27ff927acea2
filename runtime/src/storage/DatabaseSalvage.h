#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "notesapi/global.h"

namespace notesrt {

// What a salvage saved and what it could not.
struct TSalvageResult {
  // The damaged file, renamed beside the new one.
  std::filesystem::path Backup;
  DWORD NotesSaved = 0;
  // Notes known to be lost: rows found but not readable. Damaged index pages may hide more;
  // Losses then names the ranges of note IDs that could not be searched.
  DWORD NotesLost = 0;
  // One line for each thing that could not be read whole.
  std::vector<std::string> Losses;
};

// Copies everything of the database file Path that can still be read into a new file, which
// then takes Path's name: every readable note and deletion stub under its own note ID and UNID,
// with its attachments, and the unread marks, folder membership, access control list and the
// router's delivery records. View, name and full-text indexes are built afresh from the notes.
// The damaged file (with its journal files) is kept beside the new one as Backup.
// ERR_NOTESRT_IN_USE when Path is open in this process; ERR_NOT_NSF, leaving the file as it is,
// when not even its notes table can be found.
TSalvageResult SalvageDatabase(const std::filesystem::path& Path);

// For a file nothing can be read of: renames it (with its journal files) beside itself, as
// SalvageDatabase keeps a damaged file, and returns the new name.
std::filesystem::path SetAside(const std::filesystem::path& File);

// Writes to the runtime's log what a salvage of File could not read, then what it saved and
// where the damaged file went.
void LogFixup(const std::filesystem::path& File, const TSalvageResult& Result);

}  // namespace notesrt
