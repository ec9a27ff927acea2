#ifndef NOTESAPI_OSENV_H
#define NOTESAPI_OSENV_H
#include "global.h"

#define MAXENVVALUE 256

NOTESAPI_BEGIN_DECLS
BOOL LNPUBLIC OSGetEnvironmentString(const char* VariableName, char* retValueBuffer,
                                     WORD BufferLength);
long LNPUBLIC OSGetEnvironmentLong(const char* VariableName);
void LNPUBLIC OSSetEnvironmentVariable(const char* VariableName, const char* Value);
void LNPUBLIC OSSetEnvironmentInt(const char* VariableName, int Value);
NOTESAPI_END_DECLS

#endif
