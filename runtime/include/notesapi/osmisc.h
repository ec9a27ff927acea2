#ifndef NOTESAPI_OSMISC_H
#define NOTESAPI_OSMISC_H
#include "global.h"

#define OS_TRANSLATE_NATIVE_TO_LMBCS 0
#define OS_TRANSLATE_LMBCS_TO_NATIVE 1
#define OS_TRANSLATE_LOWER_TO_UPPER 3
#define OS_TRANSLATE_UPPER_TO_LOWER 4
#define OS_TRANSLATE_UNACCENT 5
#define OS_TRANSLATE_LMBCS_TO_UNICODE 20
#define OS_TRANSLATE_LMBCS_TO_UTF8 22
#define OS_TRANSLATE_UNICODE_TO_LMBCS 23
#define OS_TRANSLATE_UTF8_TO_LMBCS 24

/* Native text is UTF-8. OSTranslate writes at most OutLength bytes, whole characters only, no
   terminator; an incomplete last input character is dropped. OSLoadString writes at most
   BufferLength bytes including the NUL. */
NOTESAPI_BEGIN_DECLS
WORD LNPUBLIC OSLoadString(HMODULE hModule, STATUS StringCode, char* retBuffer, WORD BufferLength);
WORD LNPUBLIC OSTranslate(WORD TranslateMode, const char* In, WORD InLength, char* Out,
                          WORD OutLength);

/* Loads an import or export filter library and hands back its entry point, the function
   MainEntryPoint (an IXENTRYPROC, ixport.h), through retEntryPoint, the address of a function
   pointer. Libraries are looked for only in the directory OSGetExecutableDirectory reports:
   LibraryName is a base name, with or without that directory, and any ".DLL" or ".so" suffix;
   case does not matter. Flags is reserved (0). On failure *rethModule and the entry point are
   NULL and nothing stays loaded. OSFreeLibrary unloads; a handle it does not know is logged. */
STATUS LNPUBLIC OSLoadLibrary(const char* LibraryName, DWORD Flags, HMODULE* rethModule,
                              void* retEntryPoint);
void LNPUBLIC OSFreeLibrary(HMODULE hModule);
NOTESAPI_END_DECLS

#endif
