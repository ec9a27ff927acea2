/* A BLOCKID addresses a block inside a memory pool: the pool's handle and a byte offset. */
#ifndef NOTESAPI_POOL_H
#define NOTESAPI_POOL_H
#include "global.h"
#include "osmem.h"

typedef WORD BLOCK;
#define NULLBLOCK ((BLOCK)0)

#pragma pack(push, 1)
typedef struct {
  DHANDLE pool;
  BLOCK block;
} BLOCKID;
#pragma pack(pop)

#define ISNULLBLOCKID(x) (((x).pool == NULLHANDLE) && ((x).block == NULLBLOCK))
#define OSLockBlock(type, bid) ((type far*)(OSLock(char, (bid).pool) + (bid).block))
#define OSUnlockBlock(bid) OSUnlockObject((bid).pool)

#endif
