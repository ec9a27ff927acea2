/* Views and folders: collections of note entries. */
#ifndef NOTESAPI_NIF_H
#define NOTESAPI_NIF_H
#include "niferr.h"
#include "notesrterr.h"
#include "nsfdata.h"

typedef WORD HCOLLECTION;

#define MAXTUMBLERLEVELS 32

#define OPEN_REBUILD_INDEX 0x0001
#define OPEN_NOUPDATE 0x0002
#define OPEN_DO_NOT_CREATE 0x0004

#define NAVIGATE_CURRENT 0
#define NAVIGATE_NEXT 1
#define NAVIGATE_PARENT 3
#define NAVIGATE_CHILD 4
#define NAVIGATE_NEXT_PEER 5
#define NAVIGATE_PREV_PEER 6
#define NAVIGATE_PREV 9
#define NAVIGATE_NEXT_UNREAD 10
#define NAVIGATE_NEXT_MAIN 12
#define NAVIGATE_NEXT_SELECTED 14
#define NAVIGATE_NEXT_HIT 29
#define NAVIGATE_NEXT_CATEGORY 41
#define NAVIGATE_NEXT_NONCATEGORY 43
#define NAVIGATE_MASK 0x007F
#define NAVIGATE_MINLEVEL 0x0100
#define NAVIGATE_MAXLEVEL 0x0200
#define NAVIGATE_CONTINUE 0x8000

#define READ_MASK_NOTEID 0x00000001u
#define READ_MASK_NOTEUNID 0x00000002u
#define READ_MASK_NOTECLASS 0x00000004u
#define READ_MASK_INDEXSIBLINGS 0x00000008u
#define READ_MASK_INDEXCHILDREN 0x00000010u
#define READ_MASK_INDEXDESCENDANTS 0x00000020u
#define READ_MASK_INDEXANYUNREAD 0x00000040u
#define READ_MASK_INDENTLEVELS 0x00000080u
#define READ_MASK_COLLECTIONSTATS 0x00000100u
#define READ_MASK_SCORE 0x00000200u
#define READ_MASK_INDEXUNREAD 0x00000400u
#define READ_MASK_SUMMARYVALUES 0x00002000u
#define READ_MASK_INDEXPOSITION 0x00004000u
#define READ_MASK_SUMMARY 0x00008000u

#define SIGNAL_DEFN_ITEM_MODIFIED 0x0001
#define SIGNAL_VIEW_ITEM_MODIFIED 0x0002
#define SIGNAL_INDEX_MODIFIED 0x0004
#define SIGNAL_UNREADLIST_MODIFIED 0x0008
#define SIGNAL_DATABASE_MODIFIED 0x0010
#define SIGNAL_MORE_TO_DO 0x0020
#define SIGNAL_VIEW_TIME_RELATIVE 0x0040
#define SIGNAL_NOT_SUPPORTED 0x0080

#define NOTEID_CATEGORY 0x80000000u
#define NOTEID_CATEGORY_TOTAL 0xC0000000u
#define NOTEID_GHOST_ENTRY 0x40000000u
#define NOTEID_CATEGORY_INDENT 0x3F000000u
#define NOTEID_CATEGORY_ID 0x00FFFFFFu

#pragma pack(push, 1)
typedef struct {
  WORD Level;
  BYTE MinLevel;
  BYTE MaxLevel;
  DWORD Tumbler[MAXTUMBLERLEVELS];
} COLLECTIONPOSITION;
#pragma pack(pop)

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC NIFFindDesignNote(DBHANDLE hFile, const char* Name, WORD Class, NOTEID* retNoteID);
STATUS LNPUBLIC NIFFindPrivateDesignNote(DBHANDLE hFile, const char* Name, WORD Class,
                                         NOTEID* retNoteID);
STATUS LNPUBLIC NIFOpenCollection(DBHANDLE hViewDB, DBHANDLE hDataDB, NOTEID ViewNoteID,
                                  WORD OpenFlags, DHANDLE hUnreadList, HCOLLECTION* rethCollection,
                                  NOTEHANDLE* rethViewNote, UNIVERSALNOTEID* retViewUNID,
                                  DHANDLE* rethCollapsedList, DHANDLE* rethSelectedList);
STATUS LNPUBLIC NIFReadEntries(HCOLLECTION hCollection, COLLECTIONPOSITION* IndexPos,
                               WORD SkipNavigator, DWORD SkipCount, WORD ReturnNavigator,
                               DWORD ReturnCount, DWORD ReturnMask, DHANDLE* rethBuffer,
                               WORD* retBufferLength, DWORD* retNumEntriesSkipped,
                               DWORD* retNumEntriesReturned, WORD* retSignalFlags);
STATUS LNPUBLIC NIFUpdateCollection(HCOLLECTION hCollection);
STATUS LNPUBLIC NIFCloseCollection(HCOLLECTION hCollection);
/* Only this runtime: how many notes had their selection formula or columns evaluated when the
   collection was last opened or updated (its index is brought up to date incrementally, so an
   unchanged view evaluates none). */
STATUS LNPUBLIC NotesRTCollectionEvaluations(HCOLLECTION hCollection, DWORD* retEvaluations);
NOTESAPI_END_DECLS

#endif
