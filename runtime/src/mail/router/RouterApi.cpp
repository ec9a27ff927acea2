// The stand-in's servers and its mail router: entry points of this runtime only, called
// explicitly by tools and tests.
#include "core/ApiCall.h"
#include "mail/router/RouterPass.h"
#include "mail/router/ServerSetup.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"

STATUS LNPUBLIC NotesRTCreateServer(const char* ServerName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!ServerName) return ERR_MISC_INVALID_ARGS;
    notesrt::router::CreateServer(ServerName);
    return NOERROR;
  });
}

// The counts are filled also when the pass stops early: what was done by then stays done.
STATUS LNPUBLIC NotesRTRouteMail(const char* ServerName, DWORD* retDelivered, DWORD* retForwarded,
                                 DWORD* retFailed, DWORD* retDead) {
  notesrt::router::TRouterCounts counts;
  STATUS status = notesrt::ApiStatusCall([&]() -> STATUS {
    if (!ServerName) return ERR_MISC_INVALID_ARGS;
    return notesrt::router::TRouterPass(ServerName).Run(counts);
  });
  if (retDelivered) *retDelivered = counts.Delivered;
  if (retForwarded) *retForwarded = counts.Forwarded;
  if (retFailed) *retFailed = counts.Failed;
  if (retDead) *retDead = counts.Dead;
  return status;
}
