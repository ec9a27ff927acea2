#ifndef NOTESAPI_OSENV_H
#define NOTESAPI_OSENV_H
#include "global.h"

#define MAXENVVALUE 256

/* The settings file is found through NOTESRT_INI_ENV (notesrt.h). OSGetEnvironmentString writes
   at most BufferLength bytes including the NUL, cut at a character boundary, and works before
   NotesInit. */
NOTESAPI_BEGIN_DECLS
BOOL LNPUBLIC OSGetEnvironmentString(const char* VariableName, char* retValueBuffer,
                                     WORD BufferLength);
long LNPUBLIC OSGetEnvironmentLong(const char* VariableName);
void LNPUBLIC OSSetEnvironmentVariable(const char* VariableName, const char* Value);
void LNPUBLIC OSSetEnvironmentInt(const char* VariableName, int Value);
NOTESAPI_END_DECLS

#endif
