// The TIMEDATE functions. The three conversions keep the published inverted convention:
// FALSE on success, TRUE on failure.
#include "core/ApiCall.h"
#include "notesapi/misc.h"
#include "notesapi/ostime.h"
#include "text/SystemZone.h"
#include "text/TimeCodec.h"
#include "text/TimeConversion.h"

namespace {

// The latest TIMEDATE_MAXIMUM stands for: 31 December 9999, 23:59:59.99 GMT.
constexpr DWORD MaximumJulianDay = 5373484;

BOOL Failed(bool Converted) {
  return Converted ? FALSE : TRUE;
}

DWORD DayPart(const TIMEDATE& Time) {
  return Time.Innards[1] & notesrt::JulianDayMask;
}

}  // namespace

BOOL LNPUBLIC TimeLocalToGM(TIME* Time) {
  return notesrt::ApiValueCall<BOOL>(TRUE,
                                     [&] { return Failed(Time && notesrt::LocalToGM(*Time)); });
}

BOOL LNPUBLIC TimeGMToLocalZone(TIME* Time) {
  return notesrt::ApiValueCall<BOOL>(TRUE,
                                     [&] { return Failed(Time && notesrt::GMToLocal(*Time)); });
}

// Expands in the machine's current zone, which it also fills in.
BOOL LNPUBLIC TimeGMToLocal(TIME* Time) {
  return notesrt::ApiValueCall<BOOL>(TRUE, [&] {
    if (!Time) return TRUE;
    const notesrt::TSystemZone& system = notesrt::TSystemZone::Current();
    Time->zone = system.Zone();
    Time->dst = system.ObservesDst() ? TRUE : FALSE;
    return Failed(notesrt::GMToLocal(*Time, system));
  });
}

void LNPUBLIC TimeConstant(WORD TimeConstantType, TIMEDATE* tdptr) {
  if (!tdptr) return;
  switch (TimeConstantType) {
    case TIMEDATE_MAXIMUM:
      tdptr->Innards[0] = TICKS_IN_DAY - 1;
      tdptr->Innards[1] = MaximumJulianDay;
      break;
    case TIMEDATE_WILDCARD:
      tdptr->Innards[0] = ALLDAY;
      tdptr->Innards[1] = ANYDAY;
      break;
    default:
      TimeDateClear(tdptr);
  }
}

DWORD LNPUBLIC TimeExtractTicks(const TIMEDATE* Time) {
  return Time ? Time->Innards[0] : 0;
}

// ANYDAY stays ANYDAY, so "no date" survives the extraction.
DWORD LNPUBLIC TimeExtractJulianDate(const TIMEDATE* Time) {
  if (!Time) return 0;
  return Time->Innards[1] == ANYDAY ? ANYDAY : DayPart(*Time);
}

void LNPUBLIC TimeConstruct(DWORD Date, DWORD Time, TIMEDATE* result) {
  if (!result) return;
  result->Innards[0] = Time;
  result->Innards[1] = Date == ANYDAY ? ANYDAY : Date & notesrt::JulianDayMask;
}

// By day, then by time of day; the zone byte does not take part. A null value sorts first.
int LNPUBLIC TimeDateCompare(const TIMEDATE* t1, const TIMEDATE* t2) {
  if (!t1 || !t2) return (t1 != nullptr) - (t2 != nullptr);
  auto key = [](const TIMEDATE& t) { return (uint64_t{DayPart(t)} << 32) | t.Innards[0]; };
  uint64_t a = key(*t1), b = key(*t2);
  return (a > b) - (a < b);
}

void LNPUBLIC OSCurrentTIMEDATE(TIMEDATE* retTimeDate) {
  notesrt::ApiVoidCall([&] {
    if (retTimeDate) *retTimeDate = notesrt::CurrentTimeDate();
  });
}

// zone: whole hours west of GMT in standard time; dst: the zone observes daylight-saving time.
void LNPUBLIC OSCurrentTimeZone(int* retZone, int* retDST) {
  notesrt::ApiVoidCall([&] {
    const notesrt::TSystemZone& system = notesrt::TSystemZone::Current();
    if (retZone) *retZone = system.Zone();
    if (retDST) *retDST = system.ObservesDst() ? TRUE : FALSE;
  });
}
