// The stand-in's repair of a damaged database: an entry point of this runtime only, called by
// the admin program and by the router for its mailbox.
#include "core/ApiCall.h"
#include "core/Log.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "storage/DatabaseSalvage.h"
#include "storage/DbPath.h"
#include "text/BufferText.h"
#include "text/TextFold.h"

STATUS LNPUBLIC NotesRTFixupDatabase(const char* PathName, DWORD* retSaved, DWORD* retLost,
                                     char* retBackupPath) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!PathName || !*PathName) return ERR_MISC_INVALID_ARGS;
    notesrt::TDbPath path = notesrt::ResolveExisting(PathName);
    if (path.Directory) return ERR_DIRECTORY;
    notesrt::TSalvageResult result = notesrt::SalvageDatabase(path.File);
    notesrt::LogFixup(path.File, result);
    notesrt::PutOptional(retSaved, result.NotesSaved);
    notesrt::PutOptional(retLost, result.NotesLost);
    if (retBackupPath && !notesrt::CopyWholeToBuffer(notesrt::Utf8ToLmbcs(result.Backup.string()),
                                                     retBackupPath, MAXPATH))
      return ERR_NOTESRT_NAME_TOO_LONG;
    return NOERROR;
  });
}
