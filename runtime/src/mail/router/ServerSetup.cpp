#include "mail/router/ServerSetup.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "acl/AclStore.h"
#include "acl/ServerAcl.h"
#include "core/EStatus.h"
#include "core/Settings.h"
#include "notesapi/mailserv.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/DbInfo.h"
#include "storage/DbPath.h"
#include "storage/Servers.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"
#include "views/design/Templates.h"

namespace notesrt::router {

namespace {

constexpr char DirectoryFile[] = "names.nsf";
constexpr char DirectoryTemplate[] = "pubnames.ntf";
constexpr char DirectoryTitle[] = "Directory";
constexpr char MailBoxTitle[] = "Mail Router Mailbox";

bool Exists(const std::string& Path) {
  try {
    ResolveExisting(Path);
    return true;
  } catch (const EStatus& error) {
    if (ERR(error.Status()) == ERR_NOEXIST) return false;
    throw;
  }
}

std::shared_ptr<TDatabase> CreateTitled(const std::string& Path, std::string_view Title) {
  std::filesystem::path file = ResolveNew(Path);
  TDatabase::Create(file, DBCLASS_NOTEFILE, false);
  std::shared_ptr<TDatabase> database = TDatabase::Open(file);
  TDbInfo info(database->Header().Info);
  info.SetPiece(INFOPARSE_TITLE, Title);
  database->SetInfo(info.Text());
  return database;
}

// Everybody deposits mail; only the servers read it.
void CreateMailBox(const std::string& Path) {
  std::shared_ptr<TDatabase> mailBox = CreateTitled(Path, MailBoxTitle);
  TAcl acl(ACL_LEVEL_NOACCESS, 0);
  SetServerAcl(acl, ACL_LEVEL_DEPOSITOR);
  TAclStore(mailBox->File()).Write(acl);
}

bool HasDirectoryTemplate() {
  const std::vector<design::TTemplate>& templates = design::BuiltInTemplates();
  return std::any_of(templates.begin(), templates.end(), [](const design::TTemplate& Entry) {
    return Entry.FileName == DirectoryTemplate;
  });
}

void CreateDirectory(const std::string& Path) {
  if (!HasDirectoryTemplate()) {
    CreateTitled(Path, DirectoryTitle);
    return;
  }
  DBHANDLE handle = NULLHANDLE;
  STATUS status =
      NSFDbCreateAndCopy(DirectoryTemplate, Path.c_str(), NOTE_CLASS_ALLNONDATA, 0, 0, &handle);
  if (handle != NULLHANDLE) NSFDbClose(handle);
  if (status != NOERROR) throw EStatus(status);
}

void MakeServerDirectory(std::string_view Server) {
  std::string root = TSettings::Instance().Get(NOTESRT_SERVERS_DIR_VAR).value_or("");
  if (root.empty()) throw EStatus(ERR_NOTESRT_NO_SERVERS_DIR);
  TDistinguishedName name(Server);
  if (name.Form() == TDistinguishedName::TForm::Empty ||
      name.Form() == TDistinguishedName::TForm::Malformed)
    throw EStatus(ERR_INV_SERVER_NAME);
  std::filesystem::path directory =
      std::filesystem::path(root) / ServerDirectoryName(LmbcsToUtf8(name.Canonical()));
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) throw EStatus(ERR_NOTESRT_STORAGE);
}

}  // namespace

// The server makes its own databases, so no user becomes their Manager.
void CreateServer(std::string_view Server) {
  std::string prefix = Server.empty() ? std::string() : std::string(Server) + "!!";
  std::optional<TActingUser> server;
  if (!Server.empty()) {
    MakeServerDirectory(Server);
    server.emplace(Server);
    if (!Exists(prefix + DirectoryFile)) CreateDirectory(prefix + DirectoryFile);
  }
  if (!Exists(prefix + MAILBOX_NAME)) CreateMailBox(prefix + MAILBOX_NAME);
}

}  // namespace notesrt::router
