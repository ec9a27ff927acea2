// Folders: FolderCreate, FolderCopy, FolderRename, FolderMove, FolderDelete, FolderDocAdd,
// FolderDocRemove, FolderDocRemoveAll.
#include "acl/Access.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/IdTable.h"
#include "notesapi/foldman.h"
#include "notesapi/miscerr.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "views/Folders.h"

using notesrt::TDbHandle;
using notesrt::TFolders;

namespace {

// The folder functions take a second database only to name the same one again: folders,
// their formats and their parents live in the data database here.
TFolders FoldersOf(DBHANDLE hDataDB, DBHANDLE hOtherDB) {
  const auto& database = TDbHandle::DatabaseOf(hDataDB);
  if (hOtherDB != NULLHANDLE && TDbHandle::DatabaseOf(hOtherDB) != database)
    throw notesrt::EStatus(ERR_MISC_INVALID_ARGS);
  return TFolders(database);
}

// Who may make a folder of its kind may change its design; what it holds is changed as the
// access control list allows for that kind.
TFolders DesignOf(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID Folder) {
  TFolders folders = FoldersOf(hDataDB, hFolderDB);
  if (const notesrt::TAccess* access = notesrt::TAccess::Of(hDataDB))
    access->CheckCreateFolder(folders.IsPrivate(Folder));
  return folders;
}

TFolders ContentsOf(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID Folder) {
  TFolders folders = FoldersOf(hDataDB, hFolderDB);
  if (const notesrt::TAccess* access = notesrt::TAccess::Of(hDataDB))
    access->CheckFolderContents(folders.IsPrivate(Folder));
  return folders;
}

const std::set<NOTEID>& IdsOf(DHANDLE hTable) {
  return notesrt::THandleTable::Instance().Get<notesrt::TIdTable>(hTable).Ids();
}

}  // namespace

STATUS LNPUBLIC FolderCreate(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FormatNoteID,
                             DBHANDLE hFormatDB, char* pszName, WORD wNameLen,
                             DESIGN_TYPE FolderType, DWORD, NOTEID* pNoteID) {
  if (pNoteID) *pNoteID = 0;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (FolderType != DESIGN_TYPE_SHARED && FolderType != DESIGN_TYPE_PRIVATE_DATABASE)
      return ERR_MISC_INVALID_ARGS;
    TFolders folders = FoldersOf(hDataDB, hFolderDB);
    bool personal = FolderType == DESIGN_TYPE_PRIVATE_DATABASE;
    if (const notesrt::TAccess* access = notesrt::TAccess::Of(hDataDB))
      access->CheckCreateFolder(personal);
    std::string name = notesrt::FolderName(pszName, wNameLen);
    auto format =
        FormatNoteID ? FoldersOf(hDataDB, hFormatDB).SpecOf(FormatNoteID) : TFolders::DefaultSpec();
    NOTEID id = folders.Create(name, personal, format);
    if (pNoteID) *pNoteID = id;
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderCopy(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID, char* pszName,
                           WORD wNameLen, DWORD, NOTEID* pNewNoteID) {
  if (pNewNoteID) *pNewNoteID = 0;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    NOTEID id = DesignOf(hDataDB, hFolderDB, FolderNoteID)
                    .Copy(FolderNoteID, notesrt::FolderName(pszName, wNameLen));
    if (pNewNoteID) *pNewNoteID = id;
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderRename(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                             char* pszName, WORD wNameLen, DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    DesignOf(hDataDB, hFolderDB, FolderNoteID)
        .Rename(FolderNoteID, notesrt::FolderName(pszName, wNameLen));
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderMove(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                           DBHANDLE hParentDB, NOTEID ParentNoteID, DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    DesignOf(hDataDB, hFolderDB, FolderNoteID);
    FoldersOf(hDataDB, hParentDB).Move(FolderNoteID, ParentNoteID);
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderDelete(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID, DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    DesignOf(hDataDB, hFolderDB, FolderNoteID).Delete(FolderNoteID);
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderDocAdd(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                             DHANDLE hTable, DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    ContentsOf(hDataDB, hFolderDB, FolderNoteID).AddDocuments(FolderNoteID, IdsOf(hTable));
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderDocRemove(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                                DHANDLE hTable, DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    ContentsOf(hDataDB, hFolderDB, FolderNoteID).RemoveDocuments(FolderNoteID, IdsOf(hTable));
    return NOERROR;
  });
}

STATUS LNPUBLIC FolderDocRemoveAll(DBHANDLE hDataDB, DBHANDLE hFolderDB, NOTEID FolderNoteID,
                                   DWORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    ContentsOf(hDataDB, hFolderDB, FolderNoteID).RemoveAll(FolderNoteID);
    return NOERROR;
  });
}
