/* Functions only the embedded runtime has: settings location and handle accounting for tests. */
#ifndef NOTESAPI_NOTESRT_H
#define NOTESAPI_NOTESRT_H
#include "global.h"

/* Environment variable naming the settings file (notes.ini). Without it the runtime uses
   $HOME/notes/data/notes.ini. */
#define NOTESRT_INI_ENV "NOTES_INI"

/* Setting only this runtime reads, for it has no ID files: the current user (SECKFMGetUserName),
   stored abbreviated or canonical. */
#define NOTESRT_USER_NAME_VAR "NotesRT_UserName"

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

/* Statuses only this runtime returns, in a range of the OS package that Notes leaves unused.
   OSLoadString has a text for each. */
#define ERR_NOTESRT_NO_INI (PKG_OS + 0xF0)           /* the settings file does not exist */
#define ERR_NOTESRT_INVALID_HANDLE (PKG_OS + 0xF1)   /* zero, freed or wrong kind of handle */
#define ERR_NOTESRT_LOCKED (PKG_OS + 0xF2)           /* memory still locked: not freed/moved */
#define ERR_NOTESRT_RUNTIME_OWNED (PKG_OS + 0xF3)    /* memory the runtime owns: not freed */
#define ERR_NOTESRT_NOT_INITIALIZED (PKG_OS + 0xF4)  /* NotesInit has not been called */
#define ERR_NOTESRT_TOO_MANY_HANDLES (PKG_OS + 0xF5) /* every handle of that kind is in use */
#define ERR_NOTESRT_INTERNAL (PKG_OS + 0xF6)         /* unexpected failure inside the runtime */
#define ERR_NOTESRT_IN_USE (PKG_OS + 0xF7)           /* database open here: cannot be replaced */
#define ERR_NOTESRT_STORAGE (PKG_OS + 0xF8)          /* a file could not be read or written */
#define ERR_NOTESRT_BUSY (PKG_OS + 0xF9)             /* another process kept the file locked */
#define ERR_NOTESRT_TOO_BIG (PKG_OS + 0xFA)          /* item value over 65,535 bytes */
#define ERR_NOTESRT_NO_USER (PKG_OS + 0xFB)          /* NOTESRT_USER_NAME_VAR is not set */
#define ERR_NOTESRT_NAME_TOO_LONG (PKG_OS + 0xFC)    /* a name does not fit the caller's buffer */
#define ERR_NOTESRT_TOO_MANY_OUS (PKG_OS + 0xFD)     /* more than DN_OUNITS organizational units */

/* Settings only this runtime reads: the directory holding one directory per server, and a
   comma-separated list of server names to treat as unreachable. */
#define NOTESRT_SERVERS_DIR_VAR "NotesRT_ServersDir"
#define NOTESRT_UNREACHABLE_VAR "NotesRT_Unreachable"

/* Statuses of the stand-in's servers. */
#define ERR_NOTESRT_NO_SERVERS_DIR (PKG_MAIL + 0xF2) /* NOTESRT_SERVERS_DIR_VAR is not set */

NOTESAPI_BEGIN_DECLS
/* Number of open handles of one kind (NOTESRT_HANDLE_KINDS: of every kind). */
DWORD LNPUBLIC NotesRTOpenHandleCount(WORD Kind);
/* Short name of a handle kind ("memory", "note", ...), for leak reports. */
const char* LNPUBLIC NotesRTHandleKindName(WORD Kind);

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
NOTESAPI_END_DECLS

#endif
