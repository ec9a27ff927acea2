#include "mail/router/DeadMail.h"

#include <optional>

#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"

namespace notesrt::router {

void MarkDead(TRoutedMail& Mail, const std::vector<TFailure>& Failures) {
  std::vector<std::string> names, reasons;
  for (const TFailure& failure : Failures) {
    names.push_back(failure.Name);
    reasons.push_back(failure.Reason);
  }
  Mail.SetText(RoutingStateItem, DeadState);
  Mail.SetTextsShortened(FailureReasonItem, reasons);
  Mail.SetTextsShortened(IntendedRecipientItem, names);
  Mail.Save();
}

void MarkUnreadableDead(const std::shared_ptr<TDatabase>& MailBox, NOTEID Id,
                        const std::string& Reason) {
  std::optional<TNoteRow> row = MailBox->Notes().Row(Id);
  if (!row || row->Deleted) return;
  TRoutedMail mail(MailBox, TStoredNote{row->Header, {}});
  MarkDead(mail, {{"", Reason}});
}

bool EndsThePass(STATUS Status) {
  const STATUS code = ERR(Status);
  return code == ERR_NOTESRT_BUSY || code == ERR_NOTESRT_DISK_FULL || code == ERR_MEMORY ||
         code == ERR_CANCEL;
}

}  // namespace notesrt::router
