/* Basic types of the Notes C API as the embedded runtime exports them (x86-64 Linux). */
#ifndef NOTESAPI_GLOBAL_H
#define NOTESAPI_GLOBAL_H

#include <stddef.h>
#include <stdint.h>

/* The API's declarations are exported from the runtime whatever the build's default visibility. */
#ifdef __cplusplus
#define NOTESAPI_BEGIN_DECLS \
  _Pragma("GCC visibility push(default)") extern "C" {
#define NOTESAPI_END_DECLS \
  }                        \
  _Pragma("GCC visibility pop")
#else
#define NOTESAPI_BEGIN_DECLS _Pragma("GCC visibility push(default)")
#define NOTESAPI_END_DECLS _Pragma("GCC visibility pop")
#endif

/* x86-64 has one calling convention, so these keep only their published spelling. */
#define LNPUBLIC
#define LNCALLBACK
#define LNCALLBACKPTR *
#define far
#define near

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint16_t USHORT;
typedef int16_t SWORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int BOOL;
typedef WORD STATUS;
typedef double NUMBER;

/* Notes memory handles are 32-bit on every platform the system supports. */
typedef DWORD DHANDLE;
typedef DHANDLE HANDLE;
typedef void* HMODULE;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define NOERROR 0
#define NULLHANDLE ((DHANDLE)0)
#define MAXWORD 0xFFFFu
#define MAXDWORD 0xFFFFFFFFu

#pragma pack(push, 1)
typedef struct tagTIMEDATE {
  DWORD Innards[2];
} TIMEDATE;

typedef struct {
  TIMEDATE Lower;
  TIMEDATE Upper;
} TIMEDATE_PAIR;
#pragma pack(pop)

#include "globerr.h"

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC NotesInit(void);
void LNPUBLIC NotesTerm(void);
STATUS LNPUBLIC NotesInitThread(void);
void LNPUBLIC NotesTermThread(void);
NOTESAPI_END_DECLS

#endif
