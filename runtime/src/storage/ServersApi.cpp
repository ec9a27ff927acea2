// NSGetServerList: the servers this machine knows.
#include <algorithm>
#include <string>
#include <vector>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "core/TextList.h"
#include "notesapi/miscerr.h"
#include "notesapi/ns.h"
#include "storage/Servers.h"

// The stand-in's servers are the folders of its servers directory, reachable over every port
// alike, so the port (named, unknown or none) does not change the list. No server gives a list
// of none.
STATUS LNPUBLIC NSGetServerList(char*, DHANDLE* retServerTextList) {
  if (retServerTextList) *retServerTextList = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!retServerTextList) return ERR_MISC_INVALID_ARGS;
    std::string list = notesrt::TTextList::ValueOf(notesrt::KnownServers());
    if (list.size() > MAXWORD) return ERR_MISC_INVALID_ARGS;
    DHANDLE handle = notesrt::TMemoryBlock::Allocate(list.size());
    auto& block = notesrt::THandleTable::Instance().Get<notesrt::TMemoryBlock>(handle);
    std::copy(list.begin(), list.end(), block.Data());
    *retServerTextList = handle;
    return NOERROR;
  });
}
