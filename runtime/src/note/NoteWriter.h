#pragma once

namespace notesrt {

class TNote;

// NSFNoteUpdate: writes an open note into the database it names now, in one transaction: a new
// note ID on the first save (or the ID of the note with the same UNID), the next OID sequence,
// _NOTE_MODIFIED now, the parent from $REF, attachment objects copied into that database, unread
// tables told of a new document. The note in memory changes only once the write committed.
void SaveNote(TNote& Note);

}  // namespace notesrt
