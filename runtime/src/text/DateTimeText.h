#pragma once

#include <optional>
#include <string>

#include "notesapi/global.h"
#include "text/RegionalSettings.h"

namespace notesrt {

// Which parts of a date-time its text shows, as the format letters of @Text choose them.
struct TDateTimeFormat {
  // D0 year, month and day; D1 month and day, with the year when it is not this year; D2 month
  // and day; D3 year and month.
  enum class TDate { Full, YearIfOther, MonthDay, YearMonth } Date = TDate::Full;
  // T0 hours, minutes and seconds; T1 hours and minutes.
  bool Seconds = true;
  // Z0 the time in this zone; Z1 in its own zone, named when that is another; Z2 always named.
  enum class TZone { Convert, NameOther, Name } Zone = TZone::Convert;
  // S0 date, S1 time, S2 both, S3 both with "Today" or "Yesterday" for the date.
  enum class TShow { Date, Time, Both, Relative } Show = TShow::Both;
};

// The text of a TIMEDATE in the regional settings, parts a value lacks left out; nothing for a
// value that is no valid time.
std::optional<std::u16string> DateTimeText(const TIMEDATE& Time, const TRegionalSettings& Settings,
                                           const TDateTimeFormat& Format = {});

}  // namespace notesrt
