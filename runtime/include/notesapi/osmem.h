#ifndef NOTESAPI_OSMEM_H
#define NOTESAPI_OSMEM_H
#include "global.h"

#define MEM_SHARE 0x8000
#define MEM_GROWABLE 0x4000
#define MAXONESEGSIZE 65406u

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
