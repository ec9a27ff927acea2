/* Text lists in memory: a LIST header (optionally after the TYPE_TEXT_LIST word), one WORD length
   per entry, then the texts without terminators. */
#ifndef NOTESAPI_TEXTLIST_H
#define NOTESAPI_TEXTLIST_H
#include "nsfdata.h"

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC ListAllocate(WORD ListEntries, WORD TextSize, BOOL fPrefixDataType,
                             DHANDLE* rethList, void* retpList, WORD* retListSize);
STATUS LNPUBLIC ListAddEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize,
                             WORD EntryNumber, const char* Text, WORD TextSize);
STATUS LNPUBLIC ListRemoveEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize,
                                WORD EntryNumber);
WORD LNPUBLIC ListGetNumEntries(const void* vList, BOOL NoteItem);
STATUS LNPUBLIC ListGetText(const void* pList, BOOL fPrefixDataType, WORD EntryNumber,
                            char** retTextPointer, WORD* retTextLength);
WORD LNPUBLIC ListGetSize(const void* pList, BOOL fPrefixDataType);
NOTESAPI_END_DECLS

#endif
