#pragma once

#include <ostream>

struct TMailHostOptions;

// vesk-mail show: one mail of the user's mail file by its note ID, as list --raw prints it: the
// header items, the body as text, the attachments and the links of the body, and with --records
// the CD records of every "Body" item. The object library must be started.
void ShowMail(const TMailHostOptions& Options, std::ostream& Out);
