#include "NotesTime.h"

TIMEDATE DateTimeToNotes(TDateTime DateTime) {
  TIMESTRUCT time{};
  int year, month, day, hour, minute, second, msec;
  DecodeDate(DateTime, year, month, day);
  DecodeTime(DateTime, hour, minute, second, msec);
  time.year = year;
  time.month = month;
  time.day = day;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  time.hundredth = msec / 10;
  OSCurrentTimeZone(&time.zone, &time.dst);
  if (TimeLocalToGM(&time)) time.GM = TIMEDATE{};  // the conversion reports failure as TRUE
  return time.GM;
}

namespace {

TDateTime FromExpanded(const TIMESTRUCT& Local) {
  TDateTime result;
  if (!TryEncodeDate(Local.year, Local.month, Local.day, result)) return 0;
  auto orZero = [](int value) { return value == -1 ? 0 : value; };
  TDateTime timeOfDay;
  if (!TryEncodeTime(orZero(Local.hour), orZero(Local.minute), orZero(Local.second),
                     orZero(Local.hundredth) * 10, timeOfDay))
    return result;
  return result + timeOfDay;
}

}  // namespace

// TimeGMToLocal expands in the machine's current zone: one call where asking for the zone
// first would take two (a mail list converts a time on every line).
TDateTime NotesToDateTime(const TIMEDATE& TimeDate) {
  TIMESTRUCT time{};
  time.GM = TimeDate;
  if (TimeGMToLocal(&time)) return 0;
  return FromExpanded(time);
}

TDateTime NotesToDateTimeEx(const TIMESTRUCT& Time) {
  TIMESTRUCT local = Time;
  if (TimeGMToLocalZone(&local) && TimeGMToLocal(&local)) return 0;
  return FromExpanded(local);
}
