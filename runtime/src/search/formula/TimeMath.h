#pragma once

#include <optional>

#include "search/formula/Value.h"

namespace notesrt {

// Time arithmetic in seconds. A date-only value moved by whole days stays date-only; moved by
// anything else it becomes a time counted from its local midnight. A time-only value wraps
// around the day. Nothing for a range or a result outside the years a TIMEDATE can hold.
std::optional<TIMEDATE> AddSeconds(const TIMEDATE& Time, double Seconds);
double SecondsBetween(const TIMEDATE& Later, const TIMEDATE& Earlier);
// Negative, zero or positive, by instant.
int CompareTimes(const TIMEDATE& A, const TIMEDATE& B);

}  // namespace notesrt
