#pragma once

#include <string>

#include "Customintf.h"

class TDateTimeFormat;
class TNotesDocument;

// The host's line for one mail: note ID, last modified (regional short date and long time),
// sender, recipients, subject and attachment count joined by "|". A "|" inside a field
// becomes "/" and a line break a blank, so the line always has six fields and stays one line.
// Date is the regional "c" format (read once for a whole list).
std::string MailListLine(TNotesDocument& Document, const TDateTimeFormat& Date);

// The alias of the view or folder of a host folder; "" for a value that names none.
std::string MailFolderAlias(mfType Folder);
