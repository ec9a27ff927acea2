/* Broken-down time and the TIMEDATE conversions. */
#ifndef NOTESAPI_MISC_H
#define NOTESAPI_MISC_H
#include "global.h"

#define ALLDAY 0xFFFFFFFFu
#define ANYDAY 0xFFFFFFFFu
#define TICKS_IN_DAY 8640000u
#define TICKS_IN_HOUR 360000u
#define TICKS_IN_MINUTE 6000u
#define TICKS_IN_SECOND 100u

#define TIMEDATE_MINIMUM 0
/* TimeConstant(TIMEDATE_MAXIMUM) is 31 December 9999, 23:59:59.99 GMT. */
#define TIMEDATE_MAXIMUM 1
#define TIMEDATE_WILDCARD 2

#pragma pack(push, 1)
/* zone: hours west of GMT; dst: the zone observes daylight-saving time. */
typedef struct {
  int year;
  int month;
  int day;
  int weekday;
  int hour;
  int minute;
  int second;
  int hundredth;
  int dst;
  int zone;
  TIMEDATE GM;
} TIME;
#pragma pack(pop)

#define TimeDateClear(td) ((td)->Innards[0] = 0, (td)->Innards[1] = 0)

NOTESAPI_BEGIN_DECLS
/* All three return FALSE on success and TRUE on failure. */
BOOL LNPUBLIC TimeLocalToGM(TIME* Time);
BOOL LNPUBLIC TimeGMToLocal(TIME* Time);
BOOL LNPUBLIC TimeGMToLocalZone(TIME* Time);
void LNPUBLIC TimeConstant(WORD TimeConstantType, TIMEDATE* tdptr);
DWORD LNPUBLIC TimeExtractTicks(const TIMEDATE* Time);
DWORD LNPUBLIC TimeExtractJulianDate(const TIMEDATE* Time);
void LNPUBLIC TimeConstruct(DWORD Date, DWORD Time, TIMEDATE* result);
int LNPUBLIC TimeDateCompare(const TIMEDATE* t1, const TIMEDATE* t2);
NOTESAPI_END_DECLS

#endif
