#include "TNotesDatabase.h"

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesPaths.h"
#include "SysUtils.h"
#include "TNotesACL.h"
#include "TNotesDocument.h"
#include "TNotesName.h"

namespace {

// The status of a password prompt the user cancelled.
constexpr STATUS PasswordCancelled = 0x9728;

bool IsLocal(const std::string& Server) {
  return UpperCase(Server) == "LOCAL";
}

STATUS OpenPath(const std::string& Server, const std::string& FileName, DBHANDLE& Handle) {
  const std::string path =
      Server.empty() ? FileName
                     : ConstructPath(TNotesName::TranslateName(Server, false, ""), FileName);
  return NSFDbOpen(Native2Lmbcs(path).c_str(), &Handle);
}

// An open that reports success but hands back no handle means the user cancelled it.
void CheckOpened(STATUS Status, DBHANDLE& Handle) {
  if (ERR(Status) == ERR(PasswordCancelled) || (Status == NOERROR && Handle == NULLHANDLE)) {
    if (Handle != NULLHANDLE) NSFDbClose(Handle);
    throw ELotusNotes(-1, "User cancelled Notes session");
  }
  CheckNotesStatus(Status);
}

}  // namespace

TNotesDatabase::TNotesDatabase() = default;

TNotesDatabase::~TNotesDatabase() {
  if (FHandle != NULLHANDLE) NSFDbClose(FHandle);
}

bool TNotesDatabase::Open(const std::string& Server, const std::string& FileName) {
  Close();
  std::string server = IsLocal(Server) ? "" : Server;
  std::string file = FileName;
  const bool mailCase = server.empty() && file.empty();
  if (mailCase) {
    server = Lmbcs2Native(MailServer());
    file = Lmbcs2Native(MailFileName());
    // Opening "" would give the data directory, which is no mail database.
    if (file.empty()) throw ELotusNotes(-1, "No mail file is set up (MailFile)");
  }
  if (file.empty()) throw ELotusNotes(0, "Database Name is blank");
  DBHANDLE handle = NULLHANDLE;
  STATUS status = OpenPath(server, file, handle);
  if (mailCase && ERR(status) == ERR_SERVER_NOT_RESPONDING && !server.empty()) {
    // The mail server cannot be reached: the local replica of the mail file serves. Any other
    // failure (a damaged or missing mail file on a server that answers) is the user's to know.
    server.clear();
    handle = NULLHANDLE;
    status = OpenPath(server, file, handle);
  }
  CheckOpened(status, handle);
  FHandle = handle;
  FFileName = file;
  FServerName = server;
  return true;
}

void TNotesDatabase::CloseWith(STATUS (*CloseFunction)(DBHANDLE)) {
  if (FHandle == NULLHANDLE) return;
  // The views and the access control list read belong to the database that was open. The list
  // object stays for callers that hold it, without its copy.
  if (FACL) {
    FClosedACLs.reserve(FClosedACLs.size() + 1);
    FACL->DatabaseClosed();
    FClosedACLs.push_back(std::move(FACL));
  }
  const DBHANDLE handle = FHandle;
  FHandle = NULLHANDLE;
  FViews.Clear();
  CheckNotesStatus(CloseFunction(handle));
}

void TNotesDatabase::Close() {
  CloseWith(NSFDbClose);
}

void TNotesDatabase::CloseSession() {
  CloseWith(NSFDbCloseSession);
}

void TNotesDatabase::SetActive(bool Value) {
  if (Value == GetActive()) return;
  if (Value)
    Open(FServerName, FFileName);
  else
    Close();
}

void TNotesDatabase::SetFileName(const std::string& Value) {
  if (Value == FFileName) return;
  Close();
  FFileName = Value;
}

void TNotesDatabase::SetServerName(const std::string& Value) {
  if (Value == FServerName) return;
  Close();
  FServerName = Value;
}

std::string TNotesDatabase::GetTitle() const {
  char info[NSF_INFO_SIZE + 1] = {};
  CheckNotesStatus(NSFDbInfoGet(FHandle, info));
  char title[256] = {};
  NSFDbInfoParse(info, INFOPARSE_TITLE, title, sizeof(title) - 1);
  return Lmbcs2Native(title);
}

void TNotesDatabase::SetTitle(const std::string& Title) {
  char info[NSF_INFO_SIZE + 1] = {};
  CheckNotesStatus(NSFDbInfoGet(FHandle, info));
  NSFDbInfoModify(info, INFOPARSE_TITLE, Native2Lmbcs(Title).c_str());
  CheckNotesStatus(NSFDbInfoSet(FHandle, info));
}

std::string TNotesDatabase::GetFullName() const {
  if (FServerName.empty() || IsLocal(FServerName)) return FFileName;
  return ConstructPath(FServerName, FFileName);
}

TIMEDATE TNotesDatabase::GetDatabaseID() const {
  TIMEDATE id{};
  CheckNotesStatus(NSFDbIDGet(FHandle, &id));
  return id;
}

DBREPLICAINFO TNotesDatabase::GetReplicaInfo() const {
  DBREPLICAINFO info{};
  CheckNotesStatus(NSFDbReplicaInfoGet(FHandle, &info));
  return info;
}

void TNotesDatabase::SetReplicaInfo(const DBREPLICAINFO& Info) {
  DBREPLICAINFO copy = Info;
  CheckNotesStatus(NSFDbReplicaInfoSet(FHandle, &copy));
}

DBQUOTAINFO TNotesDatabase::GetQuotaInfo() const {
  DBQUOTAINFO quota{};
  const std::string path = Native2Lmbcs(ConstructPath(FServerName, FFileName));
  CheckNotesStatus(NSFDbQuotaGet(path.c_str(), &quota));
  return quota;
}

WORD TNotesDatabase::NotesVersion() {
  if (!GetActive()) {
    if (FFileName.empty())
      OpenMail();
    else
      Open(FServerName, FFileName);
  }
  WORD version = 0;
  CheckNotesStatus(NSFDbGetBuildVersion(FHandle, &version));
  return version;
}

std::unique_ptr<TNotesDocument> TNotesDatabase::CreateDocument() {
  return std::make_unique<TNotesDocument>(*this);
}

std::unique_ptr<TNotesDocument> TNotesDatabase::CreateResponseDocument(
    const UNIVERSALNOTEID& ParentUnid, const std::string& Subject) {
  std::unique_ptr<TNotesDocument> document = TNotesDocument::CreateResponse(*this, ParentUnid);
  document->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Subject);
  return document;
}

void TNotesDatabase::Delete(NOTEID NoteID) {
  CheckNotesStatus(NSFNoteDelete(FHandle, NoteID, UPDATE_NOCOMMIT));
}

void TNotesDatabase::DeleteDocument(TNotesDocument& Document) {
  if (Document.NoteHandle() == NULLHANDLE) return;
  const NOTEID noteID = Document.NoteID();
  Document.CloseNote();
  Delete(noteID);
}

void TNotesDatabase::CopyRecords(TNotesDatabase& Source) {
  TIMEDATE since;
  TimeConstant(TIMEDATE_WILDCARD, &since);
  CheckNotesStatus(NSFDbCopy(Source.Handle(), FHandle, since, NOTE_CLASS_DOCUMENT));
}

void TNotesDatabase::CreateNew(const std::string& Server, const std::string& FileName,
                               const std::string& TemplatePath) {
  Close();
  const std::string server = IsLocal(Server) ? "" : Server;
  if (FileName.empty()) throw ELotusNotes(0, "Database Name is blank");
  const std::string path =
      Native2Lmbcs(server.empty() ? FileName : ConstructPath(server, FileName));
  DBHANDLE handle = NULLHANDLE;
  STATUS status;
  if (!TemplatePath.empty()) {
    status = NSFDbCreateAndCopy(Native2Lmbcs(TemplatePath).c_str(), path.c_str(), NOTE_CLASS_ALL, 0,
                                0, &handle);
  } else {
    // Never forced: an existing database at that path keeps its contents and is an error.
    CheckNotesStatus(NSFDbCreate(path.c_str(), DBCLASS_NOTEFILE, FALSE));
    status = NSFDbOpen(path.c_str(), &handle);
  }
  CheckOpened(status, handle);
  FHandle = handle;
  FFileName = FileName;
  FServerName = server;
}
