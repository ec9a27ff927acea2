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
NOTESAPI_END_DECLS

#endif
