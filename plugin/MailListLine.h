#pragma once

#include <string>

#include "Customintf.h"

class TNotesDocument;

// The host's line for one mail: note ID, last modified (regional short date and long time),
// sender, recipients, subject and attachment count joined by "|". A "|" inside a field
// becomes "/" and a line break a blank, so the line always has six fields and stays one line.
std::string MailListLine(TNotesDocument& Document);

// The alias of the view or folder of a host folder; "" for a value that names none.
std::string MailFolderAlias(mfType Folder);
