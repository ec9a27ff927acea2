/* Access control lists: the in-memory list NSFDbReadACL hands out and its entries and roles. */
#ifndef NOTESAPI_ACL_H
#define NOTESAPI_ACL_H
#include "global.h"
#include "notesrterr.h"

#define ACL_PRIVCOUNT 80
#define ACL_BITPRIVCOUNT 5
#define ACL_PRIVNAMEMAX 16
#define ACL_PRIVSTRINGMAX (ACL_PRIVNAMEMAX + 2)

#define ACL_LEVEL_NOACCESS 0
#define ACL_LEVEL_DEPOSITOR 1
#define ACL_LEVEL_READER 2
#define ACL_LEVEL_AUTHOR 3
#define ACL_LEVEL_EDITOR 4
#define ACL_LEVEL_DESIGNER 5
#define ACL_LEVEL_MANAGER 6
#define ACL_LEVEL_HIGHEST ACL_LEVEL_MANAGER

#define ACL_FLAG_AUTHOR_NOCREATE 0x0001
#define ACL_FLAG_SERVER 0x0002
#define ACL_FLAG_NODELETE 0x0004
#define ACL_FLAG_CREATE_PRAGENT 0x0008
#define ACL_FLAG_CREATE_PRFOLDER 0x0010
#define ACL_FLAG_PERSON 0x0020
#define ACL_FLAG_GROUP 0x0040
#define ACL_FLAG_CREATE_FOLDER 0x0080
#define ACL_FLAG_CREATE_LOTUSSCRIPT 0x0100
#define ACL_FLAG_PUBLICREADER 0x0200
#define ACL_FLAG_PUBLICWRITER 0x0400
#define ACL_FLAG_MONITORS_DISALLOWED 0x0800
#define ACL_FLAG_NOREPLICATE 0x1000
#define ACL_FLAG_ADMIN_READERAUTHOR 0x4000
#define ACL_FLAG_ADMIN_SERVER 0x8000

#define ACL_UPDATE_NAME 0x01
#define ACL_UPDATE_LEVEL 0x02
#define ACL_UPDATE_PRIVILEGES 0x04
#define ACL_UPDATE_FLAGS 0x08

#define ACL_UNIFORM_ACCESS 0x00000001

typedef struct {
  BYTE BitMask[ACL_PRIVCOUNT / 8];
} ACL_PRIVILEGES;

#define ACLIsPrivSet(p, n) ((p).BitMask[(n) / 8] & (1 << ((n) % 8)))
#define ACLSetPriv(p, n) ((p).BitMask[(n) / 8] |= (BYTE)(1 << ((n) % 8)))
#define ACLClearPriv(p, n) ((p).BitMask[(n) / 8] &= (BYTE) ~(1 << ((n) % 8)))

typedef void(LNCALLBACKPTR ACLENTRYENUMFUNC)(void* EnumFuncParam, char* Name, WORD AccessLevel,
                                             ACL_PRIVILEGES* Privileges, WORD AccessFlags);

/* The list is its own kind of handle, freed with OSMemFree; a zero, freed or wrong handle gives
   ERR_NOTESRT_INVALID_HANDLE. Names are LMBCS, compared without regard to case; the default
   entry is enumerated as "-Default-" and addressed by a NULL name (or that name). Privileges may
   be NULL for none. A list holds at most 1,000 entries (ERR_ACL_FULL). Unnamed privilege numbers
   below ACL_PRIVCOUNT have the empty name; higher numbers give ERR_ACL_NOENTRY when read and
   ERR_ACL_FULL when named. ACLSetPrivName takes a plain name of at most 15 bytes; "" removes the
   name. */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC ACLCreate(DHANDLE* rethACL);
STATUS LNPUBLIC ACLEnumEntries(DHANDLE hACL, ACLENTRYENUMFUNC EnumFunc, void* EnumFuncParam);
STATUS LNPUBLIC ACLAddEntry(DHANDLE hACL, const char* Name, WORD AccessLevel,
                            ACL_PRIVILEGES* Privileges, WORD AccessFlags);
STATUS LNPUBLIC ACLUpdateEntry(DHANDLE hACL, const char* Name, WORD UpdateFlags,
                               const char* NewName, WORD NewAccessLevel,
                               ACL_PRIVILEGES* NewPrivileges, WORD NewAccessFlags);
STATUS LNPUBLIC ACLDeleteEntry(DHANDLE hACL, const char* Name);
STATUS LNPUBLIC ACLGetPrivName(DHANDLE hACL, WORD PrivNum, char* retPrivName);
STATUS LNPUBLIC ACLSetPrivName(DHANDLE hACL, WORD PrivNum, char* PrivName);
STATUS LNPUBLIC ACLGetFlags(DHANDLE hACL, DWORD* Flags);
STATUS LNPUBLIC ACLSetFlags(DHANDLE hACL, DWORD Flags);
NOTESAPI_END_DECLS

#endif
