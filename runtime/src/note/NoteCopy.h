#pragma once

#include <memory>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TAccess;
class TDatabase;

// Copies a stored note into another database, keeping its UNID: a note with that UNID there is
// updated rather than duplicated. Attachment objects come along. Returns the note ID in Target.
// ERR_NOACCESS when SourceAccess (null: none enforced) may not read the note or the access
// behind TargetHandle may not save it.
NOTEID CopyNote(const std::shared_ptr<TDatabase>& Source, const TAccess* SourceAccess, NOTEID Id,
                DBHANDLE TargetHandle, const std::shared_ptr<TDatabase>& Target);
// Copies every note whose class is in ClassMask and that was modified after Since (a wildcard
// time: all of them) in one transaction of Target. Notes SourceAccess may not read are left
// out; one the target refuses refuses the whole copy.
void CopyNotes(const std::shared_ptr<TDatabase>& Source, const TAccess* SourceAccess,
               DBHANDLE TargetHandle, const std::shared_ptr<TDatabase>& Target, WORD ClassMask,
               const TIMEDATE& Since);

}  // namespace notesrt
