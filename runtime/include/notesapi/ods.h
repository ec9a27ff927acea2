/* Rich text and text values as lines of text. */
#ifndef NOTESAPI_ODS_H
#define NOTESAPI_ODS_H
#include "global.h"
#include "pool.h"

/* A TYPE_COMPOSITE or TYPE_TEXT value (BLOCKID and length counting the type word) as text in a
   new memory block the caller frees with OSMemFree: each paragraph, line break and text line
   ended by LineDelimiter ("" ends lines with NUL), lines longer than CharsPerLine characters
   (tabs counting 8; 0 = no limit) broken after their last blank or, without one, at the limit;
   fStripTabs drops tabs. The block holds a NUL after the text; retBufferLength does not count
   it. Records without text (graphics, links, ...) give nothing. ERR_DATATYPE for other types. */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC ConvertItemToText(BLOCKID ItemValue, DWORD ItemValueLength,
                                  const char* LineDelimiter, WORD CharsPerLine, DHANDLE* rethBuffer,
                                  DWORD* retBufferLength, BOOL fStripTabs);
NOTESAPI_END_DECLS

#endif
