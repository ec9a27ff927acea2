#include "views/design/Templates.h"

#include <unistd.h>

#include <string>
#include <system_error>

#include "acl/Acl.h"
#include "acl/AclStore.h"
#include "core/EStatus.h"
#include "notesapi/nsfdb.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/DbInfo.h"
#include "text/TextFold.h"
#include "views/design/DesignBuilder.h"
#include "views/design/TemplateDefinitions.h"

namespace notesrt::design {

namespace {

// Only a bare file name in the local data directory names a built-in template.
const TTemplate* TemplateNamed(std::string_view Path) {
  if (Path.find_first_of("/\\") != Path.npos || Path.find("!!") != Path.npos) return nullptr;
  std::string key = FoldUtf8(LmbcsToUtf8(Path));
  for (const TTemplate& entry : BuiltInTemplates())
    if (FoldUtf8(entry.FileName) == key) return &entry;
  return nullptr;
}

void RemoveFileSet(const std::filesystem::path& Path) {
  std::error_code error;
  for (const char* suffix : {"-wal", "-shm", ""})
    std::filesystem::remove(std::filesystem::path(Path) += suffix, error);
}

void Fill(const TTemplate& Template, const std::filesystem::path& File) {
  std::shared_ptr<TDatabase> database = TDatabase::Open(File);
  TDbInfo info(database->Header().Info);
  info.SetPiece(INFOPARSE_TITLE, Template.Title);
  info.SetPiece(INFOPARSE_CLASS, Template.DesignClass);
  database->SetInfo(info.Text());
  TDesignBuilder builder;
  Template.Define(builder);
  builder.Build(database);
  if (!Template.DefineAcl) return;
  TAcl acl(ACL_LEVEL_NOACCESS, 0);
  Template.DefineAcl(acl);
  TAclStore(database->File()).Write(acl);
}

// Made under a temporary name and renamed when complete, so that no process ever opens a
// half-made template; when two make it at once, the first rename wins.
void Materialise(const TTemplate& Template, const std::filesystem::path& Target) {
  std::filesystem::path temporary = Target;
  temporary += ".making-" + std::to_string(getpid());
  RemoveFileSet(temporary);
  try {
    TDatabase::Create(temporary, DBCLASS_NOTEFILE, false);
    Fill(Template, temporary);
  } catch (...) {
    RemoveFileSet(temporary);
    throw;
  }
  std::error_code error;
  std::filesystem::create_hard_link(temporary, Target, error);
  RemoveFileSet(temporary);
}

}  // namespace

const std::vector<TTemplate>& BuiltInTemplates() {
  static const std::vector<TTemplate> templates{
      {"basic.ntf", "Basic Documents", "Basic", DefineBasicTemplate, nullptr},
      {"pubnames.ntf", "Address Book", "StdR4PublicAddressBook", DefineAddressBookTemplate,
       DefineAddressBookAcl},
      {"mail.ntf", "Mail", "StdR4Mail", DefineMailTemplate, DefineMailAcl},
  };
  return templates;
}

TDbPath ResolveWithTemplates(std::string_view Path) {
  try {
    return ResolveExisting(Path);
  } catch (const EStatus& error) {
    const TTemplate* entry = error.Status() == ERR_NOEXIST ? TemplateNamed(Path) : nullptr;
    if (!entry) throw;
    // Under its own name, whatever case the caller used.
    Materialise(*entry, ResolveNew(entry->FileName));
    return ResolveExisting(Path);
  }
}

}  // namespace notesrt::design
