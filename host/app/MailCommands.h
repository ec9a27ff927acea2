#pragma once

#include <ostream>
#include <string>

#include "Customintf.h"

struct TMailHostOptions;

// The mail commands of vesk-mail. Each prints its result to Out and raises Exception (or
// ELotusNotes) on failure.

// Connects the plug-in's mail service, or raises Exception saying why it cannot.
void ConnectOrRaise(IMailInterface& Mail);
// Connects the plug-in's mail service and tells which mail file it opened: on the mail server,
// or the local replica when the server cannot be reached.
void ConnectMail(IMailInterface& Mail, std::ostream& Out);
// Connects and lists one folder (inbox, outbox, sent, drafts) as the host receives it.
void ListMail(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out);
// Sends a plain-text mail from the user's mail file through the mail server's MAIL.BOX and
// keeps it as sent. The object library must be started.
void SendMail(const TMailHostOptions& Options, std::ostream& Out);
// One router pass over the mail server's MAIL.BOX. The object library must be started.
void RouteMail(std::ostream& Out);
