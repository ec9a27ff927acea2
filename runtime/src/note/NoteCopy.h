#pragma once

#include <memory>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

// Copies a stored note into another database, keeping its UNID: a note with that UNID there is
// updated rather than duplicated. Attachment objects come along. Returns the note ID in Target.
NOTEID CopyNote(const std::shared_ptr<TDatabase>& Source, NOTEID Id, DBHANDLE TargetHandle,
                const std::shared_ptr<TDatabase>& Target);
// Copies every note whose class is in ClassMask and that was modified after Since (a wildcard
// time: all of them) in one transaction of Target.
void CopyNotes(const std::shared_ptr<TDatabase>& Source, DBHANDLE TargetHandle,
               const std::shared_ptr<TDatabase>& Target, WORD ClassMask, const TIMEDATE& Since);

}  // namespace notesrt
