#include "mail/router/RouterPass.h"

#include <memory>
#include <optional>
#include <vector>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/SignalHandlers.h"
#include "core/StatusTexts.h"
#include "mail/router/DeadMail.h"
#include "mail/router/Forwarding.h"
#include "mail/router/RecipientResolver.h"
#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "mail/router/RouterLock.h"
#include "mail/router/ServerRouting.h"
#include "mail/router/ServerSetup.h"
#include "notesapi/clerr.h"
#include "notesapi/mailserv.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/DatabaseSalvage.h"

namespace notesrt::router {

namespace {

bool IsGone(STATUS Status) {
  return ERR(Status) == ERR_INVALID_NOTE || ERR(Status) == ERR_NOTE_DELETED;
}

bool IsDamaged(STATUS Status) {
  return ERR(Status) == ERR_NOT_NSF || ERR(Status) == ERR_NSF_VERSION;
}

// One mail, routed or given up on. Returns NOERROR, what ends the pass, or the failure that kept
// the mail from being given up on (it then waits for the next pass).
template <class TRoute, class TGiveUp>
STATUS RouteOne(const std::shared_ptr<TDatabase>& MailBox, NOTEID Id, TRoute& Route,
                TGiveUp& GiveUp) {
  STATUS failure = NOERROR;
  try {
    TRoutedMail mail = TRoutedMail::Load(MailBox, Id);
    if (mail.Text(RoutingStateItem) != DeadState) Route(mail);
    return NOERROR;
  } catch (const EStatus& error) {
    failure = error.Status();
  }
  if (IsGone(failure) || EndsThePass(failure)) return IsGone(failure) ? NOERROR : failure;
  try {
    GiveUp(Id, failure);
    return NOERROR;
  } catch (const EStatus& error) {
    return error.Status();
  }
}

// Every live mail of MailBox in note ID order (the order they arrived), polling the break
// handler before each and reporting progress after each. No one mail stops the pass: one that
// cannot be routed is given up on. Only what every further mail would meet as well ends it.
template <class TRoute, class TGiveUp>
STATUS EachMail(const std::shared_ptr<TDatabase>& MailBox, TRoute&& Route, TGiveUp&& GiveUp) {
  STATUS first = NOERROR;
  std::vector<TNoteHeader> headers = MailBox->Notes().List();
  std::erase_if(headers,
                [](const TNoteHeader& Header) { return Header.Class != NOTE_CLASS_DOCUMENT; });
  TProgress progress(headers.size());
  for (const TNoteHeader& header : headers) {
    if (STATUS status = CheckBreak()) return status;
    const STATUS status = RouteOne(MailBox, header.Id, Route, GiveUp);
    if (EndsThePass(status)) return status;
    if (first == NOERROR) first = status;
    progress.Advance();
  }
  return first;
}

// A mailbox that cannot be read as a whole is set aside; what can still be read of it goes on
// in a new one, so that one damaged page stops no mail that is whole.
void SetAsideIfDamaged(const std::string& Server, const std::filesystem::path& File) {
  STATUS damage = NOERROR;
  try {
    OpenMailBox(Server);
    return;
  } catch (const EStatus& error) {
    if (!IsDamaged(error.Status())) throw;
    damage = error.Status();
  }
  const std::string what = "MAIL.BOX of " + (Server.empty() ? "this machine" : Server);
  TSalvageResult result;
  try {
    result = SalvageDatabase(File);
    LogFixup(File, result);
  } catch (const EStatus& error) {
    if (!IsDamaged(error.Status())) throw;
    result.Backup = SetAside(File);
    CreateServer(Server);
  }
  LogLine(what + " was damaged (" + std::string(StatusText(damage)) + "): set aside as " +
          result.Backup.string() + "; " + std::to_string(result.NotesSaved) +
          " mails go on in a new " + File.string() + ", " + std::to_string(result.NotesLost) +
          " could not be read");
}

}  // namespace

STATUS TRouterPass::Run(TRouterCounts& Counts) {
  return FServer.empty() ? ForwardLocal(Counts) : RouteServer(Counts);
}

STATUS TRouterPass::RouteServer(TRouterCounts& Counts) {
  const std::filesystem::path file = MailBoxFile(FServer);
  TRouterLock lock(file);
  SetAsideIfDamaged(FServer, file);
  TServerRouting routing(FServer);
  return EachMail(
      routing.MailBox(), [&](TRoutedMail& Mail) { routing.Route(Mail, Counts); },
      [&](NOTEID Id, STATUS Status) { routing.GiveUp(Id, Status, Counts); });
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
  return EachMail(
      local,
      [&](TRoutedMail& Mail) {
        if (DepositInto(server, Mail, ForwardKey))
          Counts.Forwarded +=
              static_cast<DWORD>(RecipientEntries(Mail.Texts(MAIL_RECIPIENTS_ITEM)).size());
        RemoveFromMailBox(*local, Mail.Id());
      },
      // Only a mail that cannot be read is given up on; any other failure is the server's, and
      // the mail waits for it.
      [&](NOTEID Id, STATUS Status) {
        try {
          TRoutedMail::Load(local, Id);
        } catch (const EStatus&) {
          MarkUnreadableDead(local, Id,
                             "The mail cannot be read: " + std::string(StatusText(Status)));
          ++Counts.Dead;
          return;
        }
        throw EStatus(Status);
      });
}

}  // namespace notesrt::router
