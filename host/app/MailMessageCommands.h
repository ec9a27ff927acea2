#pragma once

#include <ostream>

#include "Customintf.h"

struct TMailHostOptions;

// The commands that work through the plug-in's mail operations, as a host does: reading a mail
// (GetMail), saving its attachments (Detach), sending (SendMail) and filing (MailToFolder).
// Every name and text printed has its control characters replaced.

// show ID [--rtf]: header, attachments and the body as text (or its RTF lines).
void ShowMailThroughPlugin(IMailInterface& Mail, const TMailHostOptions& Options,
                           std::ostream& Out);
// save ID NAME [DIR] [--force] | save ID --all [DIR]: prints each path written; raises when the
// mail lists no such attachment or a file exists (without --force).
void SaveAttachments(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out);
// send with --rtf, --attach, --no-copy or --draft: SendMail, or MailToFolder(mfDrafts).
void SendThroughPlugin(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out);
// file ID FOLDER: GetMail, the attachments saved to a private folder, MailToFolder, the folder
// removed.
void FileMail(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out);
