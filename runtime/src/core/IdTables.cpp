// ID tables: ordered sets of note IDs.
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/IdTable.h"
#include "notesapi/idtable.h"
#include "notesapi/miscerr.h"

using notesrt::THandleTable;
using notesrt::TIdTable;

namespace {

std::set<NOTEID>& IdsOf(DHANDLE Table) {
  return THandleTable::Instance().Get<TIdTable>(Table).Ids();
}

const std::set<NOTEID>* FindIds(DHANDLE Table) {
  TIdTable* table = THandleTable::Instance().Find<TIdTable>(Table);
  return table ? &table->Ids() : nullptr;
}

}  // namespace

// Alignment only tunes Notes' memory layout; a set needs none.
STATUS LNPUBLIC IDCreateTable(DWORD, DHANDLE* rethTable) {
  if (rethTable) *rethTable = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethTable) return ERR_MISC_INVALID_ARGS;
    *rethTable = TIdTable::Create();
    return NOERROR;
  });
}

STATUS LNPUBLIC IDDestroyTable(DHANDLE hTable) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    return THandleTable::Instance().Remove(hTable, TIdTable::KindId) ? NOERROR
                                                                     : ERR_NOTESRT_INVALID_HANDLE;
  });
}

STATUS LNPUBLIC IDInsert(DHANDLE hTable, DWORD id, BOOL* retfInserted) {
  if (retfInserted) *retfInserted = FALSE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    bool inserted = IdsOf(hTable).insert(id).second;
    if (retfInserted) *retfInserted = inserted ? TRUE : FALSE;
    return NOERROR;
  });
}

STATUS LNPUBLIC IDDelete(DHANDLE hTable, DWORD id, BOOL* retfDeleted) {
  if (retfDeleted) *retfDeleted = FALSE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    bool deleted = IdsOf(hTable).erase(id) > 0;
    if (retfDeleted) *retfDeleted = deleted ? TRUE : FALSE;
    return NOERROR;
  });
}

STATUS LNPUBLIC IDDeleteAll(DHANDLE hTable) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    IdsOf(hTable).clear();
    return NOERROR;
  });
}

BOOL LNPUBLIC IDIsPresent(DHANDLE hTable, DWORD id) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    const std::set<NOTEID>* ids = FindIds(hTable);
    return ids && ids->count(id) ? TRUE : FALSE;
  });
}

// The next ID is the first one above *retID, so a scan needs no cursor in the table and survives
// changes to the table between calls.
BOOL LNPUBLIC IDScan(DHANDLE hTable, BOOL fFirst, DWORD* retID) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    const std::set<NOTEID>* ids = FindIds(hTable);
    if (!ids || !retID) return FALSE;
    auto next = fFirst ? ids->begin() : ids->upper_bound(*retID);
    if (next == ids->end()) return FALSE;
    *retID = *next;
    return TRUE;
  });
}

STATUS LNPUBLIC IDTableCopy(DHANDLE hTable, DHANDLE* rethTable) {
  if (rethTable) *rethTable = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethTable) return ERR_MISC_INVALID_ARGS;
    *rethTable = TIdTable::Create(IdsOf(hTable));
    return NOERROR;
  });
}

DWORD LNPUBLIC IDEntries(DHANDLE hTable) {
  return notesrt::ApiValueCall<DWORD>(0, [&]() -> DWORD {
    const std::set<NOTEID>* ids = FindIds(hTable);
    return ids ? static_cast<DWORD>(ids->size()) : 0;
  });
}
