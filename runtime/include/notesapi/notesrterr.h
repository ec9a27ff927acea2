/* Statuses only the embedded runtime returns, for conditions no published status names: one
   package of their own, which the published packages leave unused. OSLoadString has a text for
   each (runtime/src/core/StatusTexts.cpp). */
#ifndef NOTESAPI_NOTESRTERR_H
#define NOTESAPI_NOTESRTERR_H
#include "globerr.h"

#define PKG_NOTESRT 0x3F00

/* clang-format off */
/* Runtime, settings, memory, handles and storage */
#define ERR_NOTESRT_NO_INI           (PKG_NOTESRT + 0x01) /* the settings file does not exist */
#define ERR_NOTESRT_INVALID_HANDLE   (PKG_NOTESRT + 0x02) /* zero, freed or wrong kind */
#define ERR_NOTESRT_LOCKED           (PKG_NOTESRT + 0x03) /* memory locked: not freed/moved */
#define ERR_NOTESRT_RUNTIME_OWNED    (PKG_NOTESRT + 0x04) /* memory the runtime owns */
#define ERR_NOTESRT_NOT_INITIALIZED  (PKG_NOTESRT + 0x05) /* NotesInit has not been called */
#define ERR_NOTESRT_TOO_MANY_HANDLES (PKG_NOTESRT + 0x06) /* every handle of a kind in use */
#define ERR_NOTESRT_INTERNAL         (PKG_NOTESRT + 0x07) /* unexpected failure inside */
#define ERR_NOTESRT_IN_USE           (PKG_NOTESRT + 0x08) /* database open: not replaced */
#define ERR_NOTESRT_STORAGE          (PKG_NOTESRT + 0x09) /* file not read or written */
#define ERR_NOTESRT_BUSY             (PKG_NOTESRT + 0x0A) /* another process locked the file */
#define ERR_NOTESRT_TOO_BIG          (PKG_NOTESRT + 0x0B) /* item value over 65,535 bytes */
#define ERR_NOTESRT_NO_USER          (PKG_NOTESRT + 0x0C) /* NotesRT_UserName is not set */
#define ERR_NOTESRT_NAME_TOO_LONG    (PKG_NOTESRT + 0x0D) /* name does not fit the buffer */
#define ERR_NOTESRT_TOO_MANY_OUS     (PKG_NOTESRT + 0x0E) /* more than DN_OUNITS units */
#define ERR_NOTESRT_NO_SERVERS_DIR   (PKG_NOTESRT + 0x0F) /* NotesRT_ServersDir is not set */

/* Views and folders */
#define ERR_NOTESRT_NOT_VIEW         (PKG_NOTESRT + 0x10) /* the note is not a view or folder */
#define ERR_NOTESRT_FOLDER_EXISTS    (PKG_NOTESRT + 0x11) /* a view or folder has that name */
#define ERR_NOTESRT_NOT_FOLDER       (PKG_NOTESRT + 0x12) /* the design note is not a folder */
#define ERR_NOTESRT_NOT_DOCUMENT     (PKG_NOTESRT + 0x13) /* only documents go into folders */
#define ERR_NOTESRT_FOLDER_NAME      (PKG_NOTESRT + 0x14) /* empty, too long or malformed */

/* Access control lists */
#define ERR_NOTESRT_ACL_DUPLICATE    (PKG_NOTESRT + 0x15) /* name or role in the list already */

/* Mail and the stand-in's servers */
#define ERR_NOTESRT_MAIL_ITEM_CODE   (PKG_NOTESRT + 0x16) /* no header item has that code */
#define ERR_NOTESRT_MAIL_BODY        (PKG_NOTESRT + 0x17) /* body damaged or length wrong */

/* Full-text search */
#define ERR_NOTESRT_FT_SYNTAX        (PKG_NOTESRT + 0x18) /* query not understandable */
#define ERR_NOTESRT_FT_NO_WORDS      (PKG_NOTESRT + 0x19) /* nothing to search for */
#define ERR_NOTESRT_FT_OPERATOR      (PKG_NOTESRT + 0x1A) /* TERMWEIGHT, PARAGRAPH, =, ... */
#define ERR_NOTESRT_FT_WILDCARD      (PKG_NOTESRT + 0x1B) /* wildcard not at a word's end */
#define ERR_NOTESRT_FT_OPTIONS       (PKG_NOTESRT + 0x1C) /* option bits not honoured */
#define ERR_NOTESRT_FT_COLLECTION    (PKG_NOTESRT + 0x1D) /* search within a view collection */

/* Mail, continued */
#define ERR_NOTESRT_MAIL_CHARSET     (PKG_NOTESRT + 0x1E) /* body text not in LMBCS */

/* Rich text */
#define ERR_NOTESRT_RICH_TEXT_DAMAGED (PKG_NOTESRT + 0x1F) /* CD record cut off or too long */

/* Damage and space */
#define ERR_NOTESRT_DISK_FULL        (PKG_NOTESRT + 0x20) /* no space left on the file's disk */
#define ERR_NOTESRT_NOTE_IDS_USED    (PKG_NOTESRT + 0x21) /* every note ID of a database used */

/* Filter libraries (OSLoadLibrary) and the import and export filters */
#define ERR_NOTESRT_LIBRARY_DIRECTORY (PKG_NOTESRT + 0x22) /* not the program directory */
#define ERR_NOTESRT_LIBRARY_NOT_FOUND (PKG_NOTESRT + 0x23) /* no such library there */
#define ERR_NOTESRT_LIBRARY_LOAD     (PKG_NOTESRT + 0x24) /* the file is not a loadable library */
#define ERR_NOTESRT_NO_ENTRY_POINT   (PKG_NOTESRT + 0x25) /* no MainEntryPoint */
#define ERR_NOTESRT_STALE_MODULE     (PKG_NOTESRT + 0x26) /* library handle unknown or freed */
#define ERR_NOTESRT_FILTER_ARGS      (PKG_NOTESRT + 0x27) /* data block or file name missing */
#define ERR_NOTESRT_FILTER_READ      (PKG_NOTESRT + 0x28) /* input file not read */
#define ERR_NOTESRT_FILTER_WRITE     (PKG_NOTESRT + 0x29) /* output file not written */
#define ERR_NOTESRT_NOT_PICTURE      (PKG_NOTESRT + 0x2A) /* not a picture of this type */
#define ERR_NOTESRT_PICTURE_TOO_LARGE (PKG_NOTESRT + 0x2B) /* over 65,535 pixels on a side */
#define ERR_NOTESRT_FILTER_TOO_BIG   (PKG_NOTESRT + 0x2C) /* input larger than a filter takes */
/* clang-format on */

#endif
