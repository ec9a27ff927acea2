/* Functions only the embedded runtime has: settings location and handle accounting for tests. */
#ifndef NOTESAPI_NOTESRT_H
#define NOTESAPI_NOTESRT_H
#include "global.h"

/* Environment variable naming the settings file (notes.ini). Without it the runtime uses
   $HOME/notes/data/notes.ini. */
#define NOTESRT_INI_ENV "NOTES_INI"

/* Kinds of handles the runtime hands out; every kind is counted separately. */
#define NOTESRT_HANDLE_MEMORY 0
#define NOTESRT_HANDLE_IDTABLE 1
#define NOTESRT_HANDLE_DATABASE 2
#define NOTESRT_HANDLE_NOTE 3
#define NOTESRT_HANDLE_COLLECTION 4
#define NOTESRT_HANDLE_FORMULA 5
#define NOTESRT_HANDLE_COMPUTE 6
#define NOTESRT_HANDLE_ACL 7
#define NOTESRT_HANDLE_SEARCH 8
#define NOTESRT_HANDLE_COMPOUNDTEXT 9
#define NOTESRT_HANDLE_MODULE 10
#define NOTESRT_HANDLE_KINDS 11

NOTESAPI_BEGIN_DECLS
/* Number of open handles of one kind (NOTESRT_HANDLE_KINDS: of every kind). */
DWORD LNPUBLIC NotesRTOpenHandleCount(WORD Kind);
/* Short name of a handle kind ("memory", "note", ...), for leak reports. */
const char* LNPUBLIC NotesRTHandleKindName(WORD Kind);
NOTESAPI_END_DECLS

#endif
