#include "note/NoteCopy.h"

#include <optional>
#include <vector>

#include "acl/Access.h"
#include "note/Note.h"
#include "note/NoteAccess.h"
#include "note/NoteWriter.h"
#include "notesapi/misc.h"
#include "notesapi/ostime.h"
#include "storage/Database.h"

namespace notesrt {

namespace {

bool ModifiedAfter(const TIMEDATE& Modified, const TIMEDATE& Since) {
  if (Since.Innards[0] == ALLDAY && Since.Innards[1] == ANYDAY) return true;
  return TimeDateCompare(&Modified, &Since) > 0;
}

}  // namespace

NOTEID CopyNote(const std::shared_ptr<TDatabase>& Source, const TAccess* SourceAccess, NOTEID Id,
                DBHANDLE TargetHandle, const std::shared_ptr<TDatabase>& Target) {
  TStoredNote stored = Source->Notes().Load(Id);
  if (SourceAccess) SourceAccess->CheckRead(stored.Header.Class, TNoteNames::Of(stored.Items));
  // Loaded against the source, so that its attachments are read from there.
  TNote note(Source, TargetHandle, stored.Header);
  note.Load(stored.Items);
  note.Retarget(TargetHandle, Target);
  note.Header().Id = 0;
  CheckSave(note);
  SaveNote(note);
  return note.Header().Id;
}

void CopyNotes(const std::shared_ptr<TDatabase>& Source, const TAccess* SourceAccess,
               DBHANDLE TargetHandle, const std::shared_ptr<TDatabase>& Target, WORD ClassMask,
               const TIMEDATE& Since) {
  std::optional<TVisibility> visible;
  if (SourceAccess) visible = SourceAccess->VisibilityIn(*Source);
  std::vector<NOTEID> ids;
  for (const TNoteHeader& header : Source->Notes().List())
    if ((header.Class & ClassMask) != 0 && ModifiedAfter(header.Modified, Since) &&
        (!visible || visible->Shows(header.Id, header.Class)))
      ids.push_back(header.Id);
  Target->Write([&] {
    for (NOTEID id : ids) CopyNote(Source, SourceAccess, id, TargetHandle, Target);
  });
}

}  // namespace notesrt
