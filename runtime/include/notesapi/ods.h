/* Canonical (on-disk) structures and rich text: ODS conversion, the CD record walk and rich
   text and text values as lines of text. */
#ifndef NOTESAPI_ODS_H
#define NOTESAPI_ODS_H
#include "global.h"
#include "odstypes.h"
#include "pool.h"

/* The high byte of a record's signature word: a WORD length follows, a DWORD length follows,
   or (any other value) it is the length itself. */
#define WORDRECORDLENGTH 0xFF00
#define LONGRECORDLENGTH 0x0000
#define BYTERECORDLENGTH 0

/* Called once per CD record: the record (header first; valid during the call only), its
   signature (SIG_CD_xxx: 0xFF above the type byte for a WORD-length header, the type byte alone
   otherwise), its length (header included, pad byte not) and the caller's context. A non-zero
   result ends the walk and is handed back. */
typedef STATUS(LNCALLBACKPTR ActionRoutinePtr)(char* RecordPtr, WORD RecordType, DWORD RecordLength,
                                               void* vContext);

NOTESAPI_BEGIN_DECLS
/* Walks the records of one TYPE_COMPOSITE value (BLOCKID and length counting the type word),
   the value's memory locked meanwhile. ERR_DATATYPE for another type; a record whose length is
   below its header or runs past the value stops the walk with ERR_NOTESRT_RICH_TEXT_DAMAGED before
   the routine sees it. A null BLOCKID or a value without records walks nothing. */
STATUS LNPUBLIC EnumCompositeBuffer(BLOCKID ItemValue, DWORD ItemValueLength,
                                    ActionRoutinePtr ActionRoutine, void* vContext);

/* The canonical size of the structure of an ODS type (_CDTEXT, _WORD, ...); 0 for a type this
   runtime does not know. */
WORD LNPUBLIC ODSLength(WORD Type);
/* Writes Iterations structures of Type from Src in canonical form at *ppDest (a pointer to the
   destination pointer) and advances *ppDest past them. An unknown type writes nothing. */
void LNPUBLIC ODSWriteMemory(void* ppDest, WORD Type, const void* Src, WORD Iterations);
/* The reverse: reads Iterations structures from *ppSrc into Dest and advances *ppSrc. */
void LNPUBLIC ODSReadMemory(void* ppSrc, WORD Type, void* Dest, WORD Iterations);

/* A TYPE_COMPOSITE or TYPE_TEXT value (BLOCKID and length counting the type word) as text in a
   new memory block the caller frees with OSMemFree: each paragraph, line break and text line
   ended by LineDelimiter ("" ends lines with NUL), lines longer than CharsPerLine characters
   (tabs counting 8; 0 = no limit) broken after their last blank or, without one, at the limit;
   fStripTabs drops tabs. The block holds a NUL after the text; retBufferLength does not count
   it. Records without text (graphics, links, ...) give nothing. ERR_DATATYPE for other types,
   ERR_NOTESRT_RICH_TEXT_DAMAGED for rich text with a damaged record. */
STATUS LNPUBLIC ConvertItemToText(BLOCKID ItemValue, DWORD ItemValueLength,
                                  const char* LineDelimiter, WORD CharsPerLine, DHANDLE* rethBuffer,
                                  DWORD* retBufferLength, BOOL fStripTabs);
NOTESAPI_END_DECLS

#endif
