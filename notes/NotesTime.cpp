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

TDateTime NotesToDateTime(const TIMEDATE& TimeDate) {
  TIMESTRUCT time{};
  time.GM = TimeDate;
  OSCurrentTimeZone(&time.zone, &time.dst);
  return NotesToDateTimeEx(time);
}

TDateTime NotesToDateTimeEx(const TIMESTRUCT& Time) {
  TIMESTRUCT local = Time;
  if (TimeGMToLocalZone(&local) && TimeGMToLocal(&local)) return 0;
  TDateTime result;
  if (!TryEncodeDate(local.year, local.month, local.day, result)) return 0;
  auto orZero = [](int value) { return value == -1 ? 0 : value; };
  TDateTime timeOfDay;
  if (!TryEncodeTime(orZero(local.hour), orZero(local.minute), orZero(local.second),
                     orZero(local.hundredth) * 10, timeOfDay))
    return result;
  return result + timeOfDay;
}
