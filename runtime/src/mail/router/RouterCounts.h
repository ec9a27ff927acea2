#pragma once

#include "notesapi/global.h"

namespace notesrt::router {

// What one pass did: recipients delivered to here, recipients handed on to another server's
// mailbox, recipients that failed, and mails left in the mailbox as dead mail.
struct TRouterCounts {
  DWORD Delivered = 0;
  DWORD Forwarded = 0;
  DWORD Failed = 0;
  DWORD Dead = 0;
};

}  // namespace notesrt::router
