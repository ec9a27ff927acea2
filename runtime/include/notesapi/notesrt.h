/* Functions only the embedded runtime has: settings location and handle accounting for tests. */
#ifndef NOTESAPI_NOTESRT_H
#define NOTESAPI_NOTESRT_H
#include "global.h"
#include "notesrterr.h"

/* Environment variable naming the settings file (notes.ini). Without it the runtime uses
   $HOME/notes/data/notes.ini. */
#define NOTESRT_INI_ENV "NOTES_INI"

/* Setting only this runtime reads, for it has no ID files: the current user (SECKFMGetUserName),
   stored abbreviated or canonical. */
#define NOTESRT_USER_NAME_VAR "NotesRT_UserName"

/* The filter settings OSGetEnvironmentString answers while notes.ini (and the session) names no
   EDITIMPn or EDITEXPn variable at all; one "Name=Value" line each. The environments the system
   makes write these lines into their notes.ini. */
#define NOTESRT_BUILTIN_FILTER_SETTINGS            \
  "EDITIMP1=ASCII Text,0,_ITEXT,,.TXT,.PRN\n"      \
  "EDITIMP2=MicrosoftWord RTF,0,_IRTF,,.RTF\n"     \
  "EDITIMP3=JPEG Image,0,_IJPG,,.JPG,.JPEG,.JPE\n" \
  "EDITIMP4=BMP Image,0,_IBMP,,.BMP\n"             \
  "EDITIMP5=PNG Image,0,_IPNG,,.PNG\n"             \
  "EDITEXP1=MicrosoftWord RTF,2,_XRTF,,.RTF\n"

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

/* Settings only this runtime reads: the directory holding one directory per server, and a
   comma-separated list of server names to treat as unreachable. */
#define NOTESRT_SERVERS_DIR_VAR "NotesRT_ServersDir"
#define NOTESRT_UNREACHABLE_VAR "NotesRT_Unreachable"

/* Receives each line of the runtime's log (what it found wrong and what it did about it: a
   damaged file set aside, a view index rebuilt, a note it could not read), on the thread that
   found it, while the runtime is locked: it must not call the runtime. */
typedef void(LNCALLBACKPTR NOTESRT_LOG_HANDLER)(const char* Line);

NOTESAPI_BEGIN_DECLS
/* Installs the log handler (NULL: none). The lines also go to notesrt.log in the data
   directory. The last NotesTerm removes the handler. */
void LNPUBLIC NotesRTSetLogHandler(NOTESRT_LOG_HANDLER Handler);
/* Number of open handles of one kind (NOTESRT_HANDLE_KINDS: of every kind). */
DWORD LNPUBLIC NotesRTOpenHandleCount(WORD Kind);
/* Short name of a handle kind ("memory", "note", ...), for leak reports. */
const char* LNPUBLIC NotesRTHandleKindName(WORD Kind);
/* For tests of failure paths: after AppendsBefore more item appends (NSFItemAppend,
   CompoundTextClose and MailAddBodyItem count each item they append), the next one fails with
   Failure, once. Failure NOERROR disarms it. */
void LNPUBLIC NotesRTFailItemAppend(DWORD AppendsBefore, STATUS Failure);

/* Makes a server (abbreviated, canonical or flat name) in the servers directory: its directory,
   its address book names.nsf (from the address-book template when the runtime ships one) and
   its router mailbox mail.box. "" makes only this machine's mail.box in the data directory.
   What exists already is kept. */
STATUS LNPUBLIC NotesRTCreateServer(const char* ServerName);
/* One pass of the mail router over the mail.box of ServerName: recipients resolved in its
   names.nsf (groups expanded), delivered into their mail files there (in "($Inbox)", unread
   for the owner), handed on to the mail.box of their own server, reported back to the sender
   when they fail. "" is this machine's mail.box, whose mail goes on whole to the mail.box of
   the server the MailServer setting names when it can be reached. Never runs by itself. The
   counts of the pass: recipients delivered, recipients handed on, recipients that failed and
   mails left as dead mail; each pointer may be NULL. */
STATUS LNPUBLIC NotesRTRouteMail(const char* ServerName, DWORD* retDelivered, DWORD* retForwarded,
                                 DWORD* retFailed, DWORD* retDead);
/* Repairs a damaged database (a path as NSFDbOpen takes it): everything of it that can still be
   read (notes and deletion stubs under their own IDs, attachments, unread marks, folders, the
   access control list) is copied into a new file, which takes the database's name; the damaged
   file is kept beside it as a backup, whose path goes to retBackupPath (MAXPATH bytes; may be
   NULL). Each note or part that could not be read is written to the log. The counts of notes
   saved and of notes found but not readable (damaged index pages may hide more; the log says
   where). ERR_NOTESRT_IN_USE while the database is open in this process; ERR_NOT_NSF, touching
   nothing, when the file holds nothing of a Notes database. */
STATUS LNPUBLIC NotesRTFixupDatabase(const char* PathName, DWORD* retSaved, DWORD* retLost,
                                     char* retBackupPath);
/* A setting for this process only, never written to notes.ini, winning over the file's until
   the last NotesTerm; a NULL Value forgets it. vesk-mail's --user uses it, for the stand-in has
   no ID files to switch. */
STATUS LNPUBLIC NotesRTSetSessionSetting(const char* Name, const char* Value);
/* The process acts as UserName until the matching call with NULL, as switching to that
   person's or server's ID file would make it (a server's administration programs run with the
   server's own ID); calls nest. */
STATUS LNPUBLIC NotesRTSwitchUser(const char* UserName);
NOTESAPI_END_DECLS

#endif
