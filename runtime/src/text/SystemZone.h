#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <mutex>

namespace notesrt {

// The machine's time zone from the system time-zone database (TZ honoured). Zones are reported
// the Notes way: whole hours west of GMT, and whether the zone observes daylight-saving time.
class TSystemZone {
 public:
  // The zone as TZ names it now. Every time conversion asks for it, so it is read once per TZ
  // value rather than once per call; a changed TZ is seen at the next call.
  static const TSystemZone& Current();

  TSystemZone();

  int Zone() const { return FZone; }
  bool ObservesDst() const { return FObservesDst; }
  // Whether a TIME's zone and dst flag describe this zone, so its exact rules apply.
  bool Matches(int Zone, int Dst) const;

  // Offset east of GMT at Utc without any daylight-saving shift, in minutes.
  int StandardOffsetEastMinutes(time_t Utc) const;
  bool IsDst(time_t Utc) const;
  // Seconds east of GMT in effect at Utc. Remembered for recent days: a list of mails asks for
  // each mail's time.
  long OffsetEastSeconds(time_t Utc) const;
  // The instant of a local wall-clock time; the system decides times in a DST gap or overlap.
  time_t ToUtc(std::tm Local) const;

 private:
  static std::tm LocalAt(time_t Utc);

  struct TDayOffset {
    int64_t Day = INT64_MIN;
    long Offset = 0;
  };

  int FZone;
  bool FObservesDst;
  // By day since 1970 (GMT), direct-mapped.
  mutable std::array<TDayOffset, 64> FDays;
  mutable std::mutex FDaysGuard;
};

}  // namespace notesrt
