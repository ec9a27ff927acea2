#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

namespace router {

class TRoutedMail;

// The router mailbox of Server: ERR_SERVER_NOT_RESPONDING when the server cannot be reached,
// ERR_NOEXIST when it has no mailbox.
std::shared_ptr<TDatabase> OpenMailBox(std::string_view Server);
// Its file, with the same failures.
std::filesystem::path MailBoxFile(std::string_view Server);

// Hands Mail on to another router mailbox: a copy with the mail's own UNID, recorded in that
// mailbox's delivery log under the UNID and Key in the same transaction. Nothing happens when
// the log has that entry already. Returns whether it deposited now.
bool DepositInto(const std::shared_ptr<TDatabase>& MailBox, const TRoutedMail& Mail,
                 std::string_view Key);

// Takes a routed mail out of its mailbox, leaving no deletion stub (mailboxes do not
// replicate). A mail that is gone already (another pass took it) is no failure.
void RemoveFromMailBox(TDatabase& MailBox, NOTEID Id);

}  // namespace router

}  // namespace notesrt
