#include "mail/router/RouterPass.h"

#include <memory>
#include <optional>
#include <vector>

#include "core/EStatus.h"
#include "core/Settings.h"
#include "core/SignalHandlers.h"
#include "mail/router/Forwarding.h"
#include "mail/router/RecipientResolver.h"
#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "mail/router/ServerRouting.h"
#include "notesapi/clerr.h"
#include "notesapi/mailserv.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"

namespace notesrt::router {

namespace {

// Calls Route for every live mail of MailBox in note ID order (the order they arrived), polling
// the break handler before each and reporting progress after each. A mail that fails waits for
// the next pass; the rest go on.
template <class TRoute>
STATUS EachMail(const std::shared_ptr<TDatabase>& MailBox, TRoute&& Route) {
  STATUS first = NOERROR;
  std::vector<TNoteHeader> headers = MailBox->Notes().List();
  std::erase_if(headers,
                [](const TNoteHeader& Header) { return Header.Class != NOTE_CLASS_DOCUMENT; });
  TProgress progress(headers.size());
  for (const TNoteHeader& header : headers) {
    if (STATUS status = CheckBreak()) return status;
    try {
      TRoutedMail mail = TRoutedMail::Load(MailBox, header.Id);
      if (mail.Text(RoutingStateItem) != DeadState) Route(mail);
    } catch (const EStatus& error) {
      bool gone =
          ERR(error.Status()) == ERR_INVALID_NOTE || ERR(error.Status()) == ERR_NOTE_DELETED;
      if (!gone && first == NOERROR) first = error.Status();
    }
    progress.Advance();
  }
  return first;
}

}  // namespace

STATUS TRouterPass::Run(TRouterCounts& Counts) {
  return FServer.empty() ? ForwardLocal(Counts) : RouteServer(Counts);
}

STATUS TRouterPass::RouteServer(TRouterCounts& Counts) {
  TServerRouting routing(FServer);
  return EachMail(routing.MailBox(), [&](TRoutedMail& Mail) { routing.Route(Mail, Counts); });
}

// Without a local mailbox nothing was ever sent offline; without a reachable mail server the
// mail stays where it is.
STATUS TRouterPass::ForwardLocal(TRouterCounts& Counts) {
  std::shared_ptr<TDatabase> local, server;
  try {
    local = OpenMailBox("");
  } catch (const EStatus& error) {
    if (ERR(error.Status()) == ERR_NOEXIST) return NOERROR;
    throw;
  }
  std::string target = TSettings::Instance().Get("MailServer").value_or("");
  if (target.empty()) return NOERROR;
  try {
    server = OpenMailBox(target);
  } catch (const EStatus& error) {
    if (ERR(error.Status()) == ERR_SERVER_NOT_RESPONDING) return NOERROR;
    throw;
  }
  return EachMail(local, [&](TRoutedMail& Mail) {
    if (DepositInto(server, Mail, ForwardKey))
      Counts.Forwarded +=
          static_cast<DWORD>(RecipientEntries(Mail.Texts(MAIL_RECIPIENTS_ITEM)).size());
    RemoveFromMailBox(*local, Mail.Id());
  });
}

}  // namespace notesrt::router
