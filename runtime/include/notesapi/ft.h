/* Full-text search. */
#ifndef NOTESAPI_FT_H
#define NOTESAPI_FT_H
#include "nif.h"

#define FT_SEARCH_SET_COLL 0x00000001u
#define FT_SEARCH_NUMDOCS_ONLY 0x00000002u
#define FT_SEARCH_REFINE 0x00000004u
#define FT_SEARCH_SCORES 0x00000008u
#define FT_SEARCH_RET_IDTABLE 0x00000010u
#define FT_SEARCH_SORT_DATE 0x00000020u
#define FT_SEARCH_SORT_ASCEND 0x00000040u
#define FT_SEARCH_TOP_SCORES 0x00000080u
#define FT_SEARCH_STEM_WORDS 0x00000200u
#define FT_SEARCH_THESAURUS_WORDS 0x00000400u
#define FT_SEARCH_FUZZY 0x00004000u

#define FT_RESULTS_SCORES 0x0001
#define FT_RESULTS_EXPANDED 0x0002
#define FT_RESULTS_URL 0x0004

/* FTIndex options and statistics: from memory, not among the published facts we keep; check
   them against the published ft.h. */
#define FT_INDEX_REINDEX 0x0002
#define FT_INDEX_CASE_SENS 0x0004
#define FT_INDEX_STEM_INDEX 0x0008
#define FT_INDEX_PSW 0x0010
#define FT_INDEX_AUTOOPTIONS 0x0020
#define FT_INDEX_SUMMARY_ONLY 0x0040
#define FT_INDEX_ATT 0x0100
#define FT_INDEX_ENCRYPTED_FIELDS 0x0200

#pragma pack(push, 1)
typedef struct {
  DWORD DocsAdded;
  DWORD DocsUpdated;
  DWORD DocsDeleted;
  DWORD BytesIndexed;
} FT_INDEX_STATS;

typedef struct {
  DWORD NumHits;
  WORD Flags;
  WORD VarLength;
  /* NOTEID[NumHits], then BYTE score[NumHits] with FT_RESULTS_SCORES */
} FT_SEARCH_RESULTS;
#pragma pack(pop)

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC FTOpenSearch(DHANDLE* rethSearch);
STATUS LNPUBLIC FTSearch(DBHANDLE hDB, DHANDLE* phSearch, HCOLLECTION hColl, char* Query,
                         DWORD Options, WORD Limit, DHANDLE hIDTable, DWORD* retNumDocs,
                         DHANDLE* Reserved, DHANDLE* rethResults);
STATUS LNPUBLIC FTCloseSearch(DHANDLE hSearch);
STATUS LNPUBLIC FTIndex(DBHANDLE hDB, WORD Options, char* StopFile, FT_INDEX_STATS* retStats);
NOTESAPI_END_DECLS

#endif
