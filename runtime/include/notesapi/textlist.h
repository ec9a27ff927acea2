/* Text lists in memory: a LIST header (optionally after the TYPE_TEXT_LIST word), one WORD length
   per entry, then the texts without terminators. */
#ifndef NOTESAPI_TEXTLIST_H
#define NOTESAPI_TEXTLIST_H
#include "nsfdata.h"

/* ListAddEntry inserts before EntryNumber (EntryNumber = count appends); a larger EntryNumber,
   like a bad index elsewhere, gives ERR_ODS_NO_SUCH_ENTRY. A list over 65,535 bytes gives
   ERR_SEGMENT_TOO_BIG. The handle keeps its value when the list grows; the memory may move. */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC ListAllocate(WORD ListEntries, WORD TextSize, BOOL fPrefixDataType,
                             DHANDLE* rethList, void* retpList, WORD* retListSize);
STATUS LNPUBLIC ListAddEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize, WORD EntryNumber,
                             const char* Text, WORD TextSize);
STATUS LNPUBLIC ListRemoveEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize,
                                WORD EntryNumber);
WORD LNPUBLIC ListGetNumEntries(const void* vList, BOOL NoteItem);
STATUS LNPUBLIC ListGetText(const void* pList, BOOL fPrefixDataType, WORD EntryNumber,
                            char** retTextPointer, WORD* retTextLength);
WORD LNPUBLIC ListGetSize(const void* pList, BOOL fPrefixDataType);
NOTESAPI_END_DECLS

#endif
