// Databases: open, close, create, identity and note information.
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/DbAccess.h"
#include "storage/DbHandle.h"
#include "storage/DbPath.h"
#include "views/design/Templates.h"

using notesrt::TDatabase;
using notesrt::TDbHandle;
using notesrt::THandleTable;

namespace {

// The build this runtime reports: Notes 12.0.
constexpr WORD BuildVersion = 461;

TDatabase& DatabaseOf(DBHANDLE Handle) {
  return *TDbHandle::DatabaseOf(Handle);
}

STATUS Close(DBHANDLE Handle) {
  return THandleTable::Instance().Remove(Handle, TDbHandle::KindId) ? NOERROR
                                                                    : ERR_NOTESRT_INVALID_HANDLE;
}

// A server's database is opened only for a user its access control list lets in.
std::unique_ptr<TDbHandle> OpenHandle(const notesrt::TDbPath& Path) {
  if (Path.Directory) return std::make_unique<TDbHandle>(Path.File);
  std::shared_ptr<TDatabase> database = TDatabase::Open(Path.File);
  if (Path.Server.empty()) return std::make_unique<TDbHandle>(std::move(database));
  auto access = notesrt::AdmitToServerDatabase(*database, Path.Server);
  return std::make_unique<TDbHandle>(std::move(database), std::move(access));
}

}  // namespace

// A null path or "" is the data directory; a directory gives a handle good only for listing
// and closing.
STATUS LNPUBLIC NSFDbOpen(const char* PathName, DBHANDLE* rethDB) {
  if (rethDB) *rethDB = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethDB) return ERR_MISC_INVALID_ARGS;
    notesrt::TDbPath path = notesrt::design::ResolveWithTemplates(PathName ? PathName : "");
    *rethDB = THandleTable::Instance().Add(OpenHandle(path));
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbClose(DBHANDLE hDB) {
  return notesrt::ApiStatusCall([&] { return Close(hDB); });
}

// There is no network session to hang up.
STATUS LNPUBLIC NSFDbCloseSession(DBHANDLE hDB) {
  return notesrt::ApiStatusCall([&] { return Close(hDB); });
}

STATUS LNPUBLIC NSFDbModeGet(DBHANDLE hDB, USHORT* retMode) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDbHandle& handle = THandleTable::Instance().Get<TDbHandle>(hDB);
    if (retMode) *retMode = handle.IsDirectory() ? DB_DIRECTORY : DB_LOADED;
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbCreate(const char* PathName, USHORT DbClass, BOOL ForceCreation) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!PathName || !*PathName) return ERR_MISC_INVALID_ARGS;
    std::filesystem::path file = notesrt::ResolveNew(PathName);
    TDatabase::Create(file, DbClass, ForceCreation != FALSE);
    std::string server = notesrt::ServerOfPath(PathName);
    if (!server.empty()) notesrt::GrantCreatorManager(*TDatabase::Open(file), server);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbIDGet(DBHANDLE hDB, DBID* retDbID) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TDbHeader header = DatabaseOf(hDB).Header();
    if (retDbID) *retDbID = header.DbId;
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbReplicaInfoGet(DBHANDLE hDB, DBREPLICAINFO* retReplicationInfo) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TDbHeader header = DatabaseOf(hDB).Header();
    if (retReplicationInfo) *retReplicationInfo = header.Replica;
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbReplicaInfoSet(DBHANDLE hDB, DBREPLICAINFO* ReplicationInfo) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!ReplicationInfo) return ERR_MISC_INVALID_ARGS;
    DatabaseOf(hDB).SetReplicaInfo(*ReplicationInfo);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbGetBuildVersion(DBHANDLE hDB, WORD* retVersion) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    DatabaseOf(hDB);
    if (retVersion) *retVersion = BuildVersion;
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbGenerateOID(DBHANDLE hDB, ORIGINATORID* retOID) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDatabase& database = DatabaseOf(hDB);
    if (!retOID) return ERR_MISC_INVALID_ARGS;
    *retOID = database.NewOid();
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbGetNoteInfo(DBHANDLE hDb, NOTEID NoteID, ORIGINATORID* retNoteOID,
                                 TIMEDATE* retModified, WORD* retNoteClass) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    std::optional<notesrt::TNoteRow> row = DatabaseOf(hDb).Notes().Row(NoteID);
    if (!row) return ERR_INVALID_NOTE;
    if (row->Deleted) return ERR_NOTE_DELETED;
    if (retNoteOID) *retNoteOID = row->Header.Oid;
    if (retModified) *retModified = row->Header.Modified;
    if (retNoteClass) *retNoteClass = row->Header.Class;
    return NOERROR;
  });
}
