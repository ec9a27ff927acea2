#pragma once

#include "DateUtils.h"
#include "NotesApi.h"

// Local date-times to and from Notes time stamps. They never raise: a failed conversion gives
// an all-zero TIMEDATE, or 0 (30 December 1899) or the date alone for the other direction.
TIMEDATE DateTimeToNotes(TDateTime DateTime);
TDateTime NotesToDateTime(const TIMEDATE& TimeDate);
TDateTime NotesToDateTimeEx(const TIMESTRUCT& Time);
