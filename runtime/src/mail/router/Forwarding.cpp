#include "mail/router/Forwarding.h"

#include <string>

#include "core/EStatus.h"
#include "mail/router/DeliveryLog.h"
#include "mail/router/RoutedMail.h"
#include "notesapi/mailserv.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/DbPath.h"

namespace notesrt::router {

std::filesystem::path MailBoxFile(std::string_view Server) {
  std::string path =
      Server.empty() ? std::string(MAILBOX_NAME) : std::string(Server) + "!!" + MAILBOX_NAME;
  TDbPath found = ResolveExisting(path);
  if (found.Directory) throw EStatus(ERR_DIRECTORY);
  return found.File;
}

std::shared_ptr<TDatabase> OpenMailBox(std::string_view Server) {
  return TDatabase::Open(MailBoxFile(Server));
}

bool DepositInto(const std::shared_ptr<TDatabase>& MailBox, const TRoutedMail& Mail,
                 std::string_view Key) {
  return MailBox->Write([&] {
    TDeliveryLog log(MailBox->File());
    std::string message = Mail.UnidText();
    if (log.Has(message, Key)) return false;
    NOTEID id = Mail.SaveCopy(MailBox, Mail.Oid());
    log.Add(message, Key, id);
    return true;
  });
}

void RemoveFromMailBox(TDatabase& MailBox, NOTEID Id) {
  try {
    MailBox.DeleteNote(Id, true);
  } catch (const EStatus& error) {
    if (ERR(error.Status()) != ERR_INVALID_NOTE) throw;
  }
}

}  // namespace notesrt::router
