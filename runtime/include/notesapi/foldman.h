/* Folders: design and membership. */
#ifndef NOTESAPI_FOLDMAN_H
#define NOTESAPI_FOLDMAN_H
#include "nif.h"
#include "notesrterr.h"

typedef WORD DESIGN_TYPE;
#define DESIGN_TYPE_SHARED 0
#define DESIGN_TYPE_PRIVATE_DATABASE 1
#define DESIGN_FOLDER_MAX_NAME 64

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC FolderCreate(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FormatNoteID,
                             DBHANDLE hFormatDB, char* pszName, WORD wNameLen,
                             DESIGN_TYPE FolderType, DWORD dwFlags, NOTEID* pNoteID);
STATUS LNPUBLIC FolderCopy(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID, char* pszName,
                           WORD wNameLen, DWORD dwFlags, NOTEID* pNewNoteID);
STATUS LNPUBLIC FolderRename(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                             char* pszName, WORD wNameLen, DWORD dwFlags);
STATUS LNPUBLIC FolderMove(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                           DBHANDLE hParentDB, NOTEID ParentNoteID, DWORD dwFlags);
STATUS LNPUBLIC FolderDelete(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                             DWORD dwFlags);
STATUS LNPUBLIC FolderDocAdd(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                             DHANDLE hTable, DWORD dwFlags);
STATUS LNPUBLIC FolderDocRemove(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                                DHANDLE hTable, DWORD dwFlags);
STATUS LNPUBLIC FolderDocRemoveAll(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                                   DWORD dwFlags);
NOTESAPI_END_DECLS

#endif
