// Copying notes between databases, new databases from templates, quotas.
#include <system_error>

#include "acl/Access.h"
#include "acl/AclStore.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "note/NoteCopy.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/DbAccess.h"
#include "storage/DbHandle.h"
#include "storage/DbPath.h"
#include "text/TimeConversion.h"
#include "views/design/Templates.h"

using notesrt::TAccess;
using notesrt::TDatabase;
using notesrt::TDbHandle;

namespace {

// A copy keeps the source's purge settings; its replica ID stays its own.
void CopyCutoff(TDatabase& Source, TDatabase& Target) {
  DBREPLICAINFO replica = Target.Header().Replica;
  DBREPLICAINFO source = Source.Header().Replica;
  replica.Cutoff = source.Cutoff;
  replica.CutoffInterval = source.CutoffInterval;
  Target.SetReplicaInfo(replica);
}

// The new database answers to the same people as its template.
void CopyAcl(TDatabase& Source, TDatabase& Target) {
  notesrt::TAclStore(Target.File()).Write(*notesrt::TAclStore(Source.File()).Read());
}

}  // namespace

// Notes already in the destination (same UNID) are updated, not duplicated. The destination
// keeps its own access control list.
STATUS LNPUBLIC NSFDbCopy(DBHANDLE hSrcDB, DBHANDLE hDstDB, TIMEDATE Since, WORD NoteClassMask) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    const auto& source = TDbHandle::DatabaseOf(hSrcDB);
    const auto& target = TDbHandle::DatabaseOf(hDstDB);
    notesrt::CopyNotes(source, TAccess::Of(hSrcDB), hDstDB, target, NoteClassMask, Since);
    CopyCutoff(*source, *target);
    return NOERROR;
  });
}

// The copy keeps the note's UNID whether or not the databases are replicas.
STATUS LNPUBLIC NSFDbCopyNote(DBHANDLE hSrcDB, DBID*, DBID*, NOTEID SrcNoteID, DBHANDLE hDstDB,
                              DBID*, DBID*, NOTEID* retDstNoteID, WORD* retNoteClass) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    const auto& source = TDbHandle::DatabaseOf(hSrcDB);
    const auto& target = TDbHandle::DatabaseOf(hDstDB);
    NOTEID id = notesrt::CopyNote(source, TAccess::Of(hSrcDB), SrcNoteID, hDstDB, target);
    if (retDstNoteID) *retDstNoteID = id;
    if (retNoteClass) *retNoteClass = target->Notes().Row(id)->Header.Class;
    return NOERROR;
  });
}

// Never replaces an existing file. The copy gets a replica ID of its own unless DBCOPY_REPLICA,
// and the template's information buffer and access control list.
STATUS LNPUBLIC NSFDbCreateAndCopy(const char* srcDb, const char* dstDb, WORD NoteClass, WORD,
                                   DWORD flags, DBHANDLE* retHandle) {
  if (retHandle) *retHandle = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!srcDb || !dstDb || !retHandle) return ERR_MISC_INVALID_ARGS;
    notesrt::TDbPath sourcePath = notesrt::design::ResolveWithTemplates(srcDb);
    if (sourcePath.Directory) return ERR_DIRECTORY;
    std::shared_ptr<TDatabase> source = TDatabase::Open(sourcePath.File);
    // A server's template is copied only as far as the user may read it.
    std::shared_ptr<const notesrt::IDbAccess> sourceAccess;
    if (!sourcePath.Server.empty())
      sourceAccess = notesrt::AdmitToServerDatabase(*source, sourcePath.Server);
    std::filesystem::path targetPath = notesrt::ResolveNew(dstDb);
    std::string server = notesrt::ServerOfPath(dstDb);
    TDatabase::Create(targetPath, source->Header().DbClass, false);
    auto handle = std::make_unique<TDbHandle>(TDatabase::Open(targetPath));
    DBHANDLE target = notesrt::THandleTable::Instance().Add(std::move(handle));
    try {
      const auto& copy = TDbHandle::DatabaseOf(target);
      notesrt::CopyNotes(source, TAccess::Of(sourceAccess), target, copy, NoteClass,
                         TIMEDATE{{ALLDAY, ANYDAY}});
      copy->SetInfo(source->Header().Info);
      CopyAcl(*source, *copy);
      // The creator's handle is judged like any other from now on.
      if (!server.empty()) {
        notesrt::GrantCreatorManager(*copy, server);
        notesrt::THandleTable::Instance().Get<TDbHandle>(target).SetAccess(
            notesrt::AdmitToServerDatabase(*copy, server));
      }
      if (flags & DBCOPY_REPLICA) copy->SetReplicaInfo(source->Header().Replica);
    } catch (...) {
      notesrt::THandleTable::Instance().Remove(target, TDbHandle::KindId);
      throw;
    }
    *retHandle = target;
    return NOERROR;
  });
}

// By path, also on a server; there are no quotas, only the current size (KB).
STATUS LNPUBLIC NSFDbQuotaGet(const char* Filename, DBQUOTAINFO* retQuotaInfo) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!Filename || !retQuotaInfo) return ERR_MISC_INVALID_ARGS;
    notesrt::TDbPath path = notesrt::ResolveExisting(Filename);
    if (path.Directory) return ERR_DIRECTORY;
    std::error_code error;
    uintmax_t size = std::filesystem::file_size(path.File, error);
    *retQuotaInfo = DBQUOTAINFO{0, 0, static_cast<DWORD>(error ? 0 : (size + 1023) / 1024), 0};
    return NOERROR;
  });
}
