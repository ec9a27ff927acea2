#include "mail/router/Delivery.h"

#include <string>

#include "core/EStatus.h"
#include "mail/router/DeliveryLog.h"
#include "mail/router/RoutedMail.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/DbPath.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"
#include "views/Folders.h"
#include "views/design/DesignLookup.h"
#include "views/design/DesignNote.h"

namespace notesrt::router {

namespace {

constexpr char InboxFolder[] = "($Inbox)";

// A mail file made without the mail template has no inbox: the mail is delivered all the same.
void FileInInbox(const std::shared_ptr<TDatabase>& MailFile, NOTEID Id) {
  NOTEID inbox =
      design::FindDesignNote(*MailFile, InboxFolder, NOTE_CLASS_VIEW, design::TDesignScope::Shared);
  if (inbox == 0) return;
  TStoredNote folder = MailFile->Notes().Load(inbox);
  if (design::TDesignNote(folder.Items).IsFolder()) TFolders(MailFile).AddDocuments(inbox, {Id});
}

// Unread tables are keyed as NSFDbGetUnreadNoteTable keys them: the canonical name, folded.
void MarkUnread(TDatabase& MailFile, std::string_view Owner, NOTEID Id) {
  if (Owner.empty()) return;
  MailFile.Unread().Apply(FoldLmbcs(TDistinguishedName(Owner).Canonical()), {Id}, {});
}

}  // namespace

std::shared_ptr<TDatabase> OpenMailFile(std::string_view Server, std::string_view MailFile) {
  TDbPath path = ResolveExisting(std::string(Server) + "!!" + std::string(MailFile));
  if (path.Directory) throw EStatus(ERR_DIRECTORY);
  return TDatabase::Open(path.File);
}

bool DeliverInto(const std::shared_ptr<TDatabase>& MailFile, const TRoutedMail& Mail,
                 std::string_view Recipient, std::string_view Owner) {
  return MailFile->Write([&] {
    TDeliveryLog log(MailFile->File());
    std::string message = Mail.UnidText();
    if (log.Has(message, Recipient)) return false;
    NOTEID id = Mail.SaveCopy(MailFile, MailFile->NewOid());
    FileInInbox(MailFile, id);
    MarkUnread(*MailFile, Owner, id);
    log.Add(message, Recipient, id);
    return true;
  });
}

}  // namespace notesrt::router
