#include "note/NoteAccess.h"

#include "acl/Access.h"
#include "core/EStatus.h"
#include "note/Note.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/Oid.h"

namespace notesrt {

void CheckSave(TNote& Note) {
  const TAccess* access = TAccess::Of(Note.Access());
  if (!access) return;
  TDatabase& database = Note.Database();
  NOTEID id = Note.Header().Id;
  if (id == 0) id = database.Notes().IdOfUnid(UnidOf(Note.Header().Oid));
  std::optional<TNoteRow> row = id ? database.Notes().Row(id) : std::nullopt;
  if (!row || row->Deleted) return access->CheckCreate(Note.Header().Class);
  TStoredNote stored = database.Notes().Load(id);
  access->CheckUpdate(stored.Header.Class, TNoteNames::Of(stored.Items));
}

bool MaySave(TNote& Note) {
  try {
    CheckSave(Note);
    return true;
  } catch (const EStatus& refused) {
    if (refused.Status() != ERR_NOACCESS) throw;
    return false;
  }
}

}  // namespace notesrt
