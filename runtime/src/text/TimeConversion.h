#pragma once

#include <time.h>

#include "notesapi/misc.h"

namespace notesrt {

class TSystemZone;

// TIME <-> TIMEDATE. When zone and dst describe the machine's own zone, the system time-zone
// rules give the exact offset for the date's season (and zones with a fraction of an hour);
// otherwise zone is taken as given and one DST hour is applied when dst is set and the date
// falls in the machine's DST period. Both return false for fields that are not a valid time.

// Fills Time.GM from the local fields; the weekday is ignored. Hour -1 means a date only.
// On failure GM is zero.
bool LocalToGM(TIME& Time);
// Fills the local fields and the weekday from Time.GM. A date only gives hour, minute, second
// and hundredth of -1.
bool GMToLocal(TIME& Time);
// The same against System, for a caller that has already asked for the machine's zone.
bool GMToLocal(TIME& Time, const TSystemZone& System);
// Now, to the hundredth, with the machine's zone in the high byte.
TIMEDATE CurrentTimeDate();
// A file-system time the same way.
TIMEDATE TimeDateOf(const timespec& Time);

}  // namespace notesrt
