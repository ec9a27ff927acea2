#ifndef NOTESAPI_OSMEM_H
#define NOTESAPI_OSMEM_H
#include "global.h"

#define MEM_SHARE 0x8000
#define MEM_GROWABLE 0x4000
#define MAXONESEGSIZE 65406u

/* Misuse returns a status where Notes would PANIC: a zero, freed or wrong handle gives
   ERR_NOTESRT_INVALID_HANDLE; freeing or reallocating a locked object ERR_NOTESRT_LOCKED; memory
   the runtime owns (a note's pool) ERR_NOTESRT_RUNTIME_OWNED. OSMemAlloc of 0 bytes fails with
   ERR_MISC_INVALID_ARGS. OSMemFree also destroys ID tables and access control lists.
   OSUnlockObject is FALSE for a handle that is not locked. */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC OSMemAlloc(WORD BlkType, DWORD dwSize, DHANDLE* retHandle);
STATUS LNPUBLIC OSMemFree(DHANDLE Handle);
STATUS LNPUBLIC OSMemGetSize(DHANDLE Handle, DWORD* retSize);
STATUS LNPUBLIC OSMemRealloc(DHANDLE Handle, DWORD NewSize);
void* LNPUBLIC OSLockObject(DHANDLE Handle);
BOOL LNPUBLIC OSUnlockObject(DHANDLE Handle);
NOTESAPI_END_DECLS

#define OSLock(type, h) ((type far*)OSLockObject(h))
#define OSUnlock(h) OSUnlockObject(h)

#endif
