#pragma once

#include <string>

#include "mail/router/RouterCounts.h"
#include "notesapi/global.h"

namespace notesrt::router {

// One pass of the mail router over one router mailbox, oldest mail first, skipping dead mail.
// Run explicitly, never as part of a save. Every step is recorded where it lands before the
// mail leaves the mailbox, so a pass stopped at any point (killed, or by the break handler) and
// run again delivers every mail once.
class TRouterPass {
 public:
  // A server's mailbox; "" is this machine's, whose mail goes on whole to the mailbox of the
  // server the MailServer setting names, when it can be reached.
  explicit TRouterPass(std::string Server) : FServer(std::move(Server)) {}

  // The break handler's status when it stopped the pass; otherwise the first failure that
  // made a mail wait (the others were routed all the same), or NOERROR.
  STATUS Run(TRouterCounts& Counts);

 private:
  STATUS RouteServer(TRouterCounts& Counts);
  STATUS ForwardLocal(TRouterCounts& Counts);

  std::string FServer;
};

}  // namespace notesrt::router
