// Unread marks: one table per user, kept current as documents are added and deleted.
#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/IdTable.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "storage/Database.h"
#include "storage/DbAccess.h"
#include "storage/DbHandle.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"

using notesrt::TDatabase;
using notesrt::TIdTable;

namespace {

// Users compare by their canonical name without regard to case.
std::string UserKey(const char* Name, WORD Length) {
  if (!Name) throw notesrt::EStatus(ERR_MISC_INVALID_ARGS);
  std::string name(Name, Length);
  return notesrt::FoldLmbcs(notesrt::TDistinguishedName(name).Canonical());
}

std::set<NOTEID> Minus(const std::set<NOTEID>& A, const std::set<NOTEID>& B) {
  std::set<NOTEID> result;
  std::set_difference(A.begin(), A.end(), B.begin(), B.end(), std::inserter(result, result.end()));
  return result;
}

TIdTable& TableOf(DHANDLE Handle) {
  return notesrt::THandleTable::Instance().Get<TIdTable>(Handle);
}

// A user never learns of a document the handle's access hides from them.
void LeaveOutHidden(DBHANDLE Handle, std::set<NOTEID>& Ids) {
  const std::shared_ptr<const notesrt::IDbAccess>& access = notesrt::TDbHandle::AccessOf(Handle);
  if (!access) return;
  std::vector<NOTEID> visible(Ids.begin(), Ids.end());
  access->RemoveHidden(*notesrt::TDbHandle::DatabaseOf(Handle), visible);
  Ids = std::set<NOTEID>(visible.begin(), visible.end());
}

}  // namespace

// A user without a table gets one with every document unread, when asked to create it.
STATUS LNPUBLIC NSFDbGetUnreadNoteTable(DBHANDLE hDB, char* UserName, WORD UserNameLength,
                                        BOOL fCreateIfNotAvailable, DHANDLE* rethUnreadList) {
  if (rethUnreadList) *rethUnreadList = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    std::string user = UserKey(UserName, UserNameLength);
    if (!rethUnreadList) return ERR_MISC_INVALID_ARGS;
    auto [ids, counter] = database.Write([&] {
      if (!database.Unread().HasUser(user)) {
        if (!fCreateIfNotAvailable) return std::pair(std::optional<std::set<NOTEID>>(), int64_t{0});
        database.Unread().AddUserWithAllDocuments(user);
      }
      return std::pair(std::optional(database.Unread().Ids(user)), database.Header().ModCounter);
    });
    if (!ids) return NOERROR;
    LeaveOutHidden(hDB, *ids);
    DHANDLE table = TIdTable::Create(std::move(*ids));
    TableOf(table).SetSyncCounter(counter);
    *rethUnreadList = table;
    return NOERROR;
  });
}

// Drops IDs that are no longer documents and adds documents created since the table was read.
STATUS LNPUBLIC NSFDbUpdateUnread(DBHANDLE hDataDB, DHANDLE hUnreadList) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDataDB);
    TIdTable& table = TableOf(hUnreadList);
    int64_t counter = database.Header().ModCounter;
    std::set<NOTEID> documents = database.Notes().Documents();
    std::set<NOTEID> kept;
    std::set_intersection(table.Ids().begin(), table.Ids().end(), documents.begin(),
                          documents.end(), std::inserter(kept, kept.end()));
    if (table.SyncCounter())
      for (NOTEID id : database.Notes().Documents(*table.SyncCounter())) kept.insert(id);
    LeaveOutHidden(hDataDB, kept);
    table.Ids() = std::move(kept);
    table.SetSyncCounter(counter);
    return NOERROR;
  });
}

// Applies only what changed between the two tables, so that marks set meanwhile by others
// survive. Stored at once whatever fFlushToDisk says.
STATUS LNPUBLIC NSFDbSetUnreadNoteTable(DBHANDLE hDB, char* UserName, WORD UserNameLength, BOOL,
                                        DHANDLE hOriginalUnreadList, DHANDLE hUnreadUnreadList) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    std::string user = UserKey(UserName, UserNameLength);
    const std::set<NOTEID>& original = TableOf(hOriginalUnreadList).Ids();
    const std::set<NOTEID>& changed = TableOf(hUnreadUnreadList).Ids();
    database.Write(
        [&] { database.Unread().Apply(user, Minus(changed, original), Minus(original, changed)); });
    return NOERROR;
  });
}
