#pragma once

namespace notesrt {

class TNote;

// Raises ERR_NOACCESS when the current user may not save Note into the database it belongs
// to now; nothing is checked where no access is enforced. A save that changes a stored note is
// judged by that note as stored (its class, its Authors and Readers items), not by what the
// caller made of it; any other save creates a note.
void CheckSave(TNote& Note);
bool MaySave(TNote& Note);

}  // namespace notesrt
