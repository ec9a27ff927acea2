#pragma once

#include <memory>
#include <string_view>

namespace notesrt {

class TDatabase;

namespace router {

class TRoutedMail;

// The mail file MailFile (as the directory names it, ".nsf" may be left out) on Server:
// ERR_NOEXIST when there is none.
std::shared_ptr<TDatabase> OpenMailFile(std::string_view Server, std::string_view MailFile);

// Puts Mail into a mail file as a new document (a new OID) in its "($Inbox)" folder, unread for
// Owner, and records it in the file's delivery log under the mail's UNID and Recipient; all in
// one transaction of the mail file. Nothing happens when the log has that entry already.
// Returns whether it delivered now.
bool DeliverInto(const std::shared_ptr<TDatabase>& MailFile, const TRoutedMail& Mail,
                 std::string_view Recipient, std::string_view Owner);

}  // namespace router

}  // namespace notesrt
