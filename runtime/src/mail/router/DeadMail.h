#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mail/router/NonDeliveryReport.h"
#include "notesapi/global.h"

namespace notesrt {

class TDatabase;

namespace router {

class TRoutedMail;

// Leaves Mail in its mailbox as dead mail (RoutingState "DEAD"), with the recipients it did not
// reach and why, cut to fit an item: no later pass routes it again, and an administrator finds
// the reasons in it.
void MarkDead(TRoutedMail& Mail, const std::vector<TFailure>& Failures);

// For a mail whose items cannot be read: its note keeps only the dead mark and Reason.
void MarkUnreadableDead(const std::shared_ptr<TDatabase>& MailBox, NOTEID Id,
                        const std::string& Reason);

// Failures that every further mail of the pass would meet as well (another process holds a
// file locked, the disk is full, memory ran out, the user stopped the pass): they end the pass
// instead of one mail.
bool EndsThePass(STATUS Status);

}  // namespace router

}  // namespace notesrt
