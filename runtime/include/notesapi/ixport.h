/* Import and export filter libraries: the entry point a library loaded with OSLoadLibrary
   exports (MainEntryPoint) and the flags it is called with. */
#ifndef NOTESAPI_IXPORT_H
#define NOTESAPI_IXPORT_H
#include "global.h"

/* Flags of a call: a file handed over in one piece is both first and last. An import called
   without IXFLAG_FIRST appends to its output file. */
#define IXFLAG_FIRST 0x0001
#define IXFLAG_LAST 0x0002
#define IXFLAG_APPEND 0x0004

/* IXContext is an EDITIMPORTDATA or EDITEXPORTDATA block (ixedit.h); PathName the file to import
   or the file to export to. Pointers keep their native width. */
typedef STATUS(LNCALLBACKPTR IXENTRYPROC)(void* IXContext, WORD Flags, HMODULE hModule,
                                          char* AltLibraryName, char* PathName);

#endif
