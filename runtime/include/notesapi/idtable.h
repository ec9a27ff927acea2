/* ID tables: sets of note IDs kept in ascending order. */
#ifndef NOTESAPI_IDTABLE_H
#define NOTESAPI_IDTABLE_H
#include "nsfdata.h"

#define RRV_DELETED 0x80000000u

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC IDCreateTable(DWORD Alignment, DHANDLE* rethTable);
STATUS LNPUBLIC IDDestroyTable(DHANDLE hTable);
STATUS LNPUBLIC IDInsert(DHANDLE hTable, DWORD id, BOOL* retfInserted);
STATUS LNPUBLIC IDDelete(DHANDLE hTable, DWORD id, BOOL* retfDeleted);
STATUS LNPUBLIC IDDeleteAll(DHANDLE hTable);
BOOL LNPUBLIC IDIsPresent(DHANDLE hTable, DWORD id);
BOOL LNPUBLIC IDScan(DHANDLE hTable, BOOL fFirst, DWORD* retID);
STATUS LNPUBLIC IDTableCopy(DHANDLE hTable, DHANDLE* rethTable);
DWORD LNPUBLIC IDEntries(DHANDLE hTable);
NOTESAPI_END_DECLS

#endif
