#include "note/NoteCopy.h"

#include "note/Note.h"
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

NOTEID CopyNote(const std::shared_ptr<TDatabase>& Source, NOTEID Id, DBHANDLE TargetHandle,
                const std::shared_ptr<TDatabase>& Target) {
  TStoredNote stored = Source->Notes().Load(Id);
  // Loaded against the source, so that its attachments are read from there.
  TNote note(Source, TargetHandle, stored.Header);
  note.Load(stored.Items);
  note.Retarget(TargetHandle, Target);
  note.Header().Id = 0;
  SaveNote(note);
  return note.Header().Id;
}

void CopyNotes(const std::shared_ptr<TDatabase>& Source, DBHANDLE TargetHandle,
               const std::shared_ptr<TDatabase>& Target, WORD ClassMask, const TIMEDATE& Since) {
  Target->Write([&] {
    for (const TNoteHeader& header : Source->Notes().List())
      if ((header.Class & ClassMask) != 0 && ModifiedAfter(header.Modified, Since))
        CopyNote(Source, header.Id, TargetHandle, Target);
  });
}

}  // namespace notesrt
