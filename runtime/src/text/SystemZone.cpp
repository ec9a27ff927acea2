#include "text/SystemZone.h"

#include <stdlib.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace notesrt {

namespace {

// Midnight GMT of 1 January and of 1 July of the year around Now: one falls in each season.
time_t SeasonSample(time_t Now, int Month) {
  std::tm parts{};
  gmtime_r(&Now, &parts);
  parts.tm_mon = Month;
  parts.tm_mday = 1;
  parts.tm_hour = parts.tm_min = parts.tm_sec = 0;
  return timegm(&parts);
}

}  // namespace

const TSystemZone& TSystemZone::Current() {
  // Never destroyed, like the runtime's other process-wide state: callers may run at exit.
  struct TCache {
    std::mutex Guard;
    std::optional<std::string> Tz;
    std::unique_ptr<TSystemZone> Zone;
  };
  static TCache& cache = *new TCache;
  std::lock_guard<std::mutex> lock(cache.Guard);
  // Compared without a copy: every time conversion asks.
  const char* tz = getenv("TZ");
  const bool sameTz = tz ? cache.Tz && *cache.Tz == tz : !cache.Tz;
  if (!cache.Zone || !sameTz) {
    cache.Zone = std::make_unique<TSystemZone>();
    cache.Tz = tz ? std::optional<std::string>(tz) : std::nullopt;
  }
  return *cache.Zone;
}

TSystemZone::TSystemZone() {
  tzset();
  time_t now = time(nullptr);
  FObservesDst = IsDst(SeasonSample(now, 0)) || IsDst(SeasonSample(now, 6));
  // Truncated toward zero: a zone such as GMT+5:30 is reported as 5 hours east.
  FZone = -StandardOffsetEastMinutes(now) / 60;
}

bool TSystemZone::Matches(int Zone, int Dst) const {
  return Zone == FZone && (Dst != 0) == FObservesDst;
}

int TSystemZone::StandardOffsetEastMinutes(time_t Utc) const {
  long seconds = OffsetEastSeconds(Utc) - (IsDst(Utc) ? 3600 : 0);
  return static_cast<int>(seconds / 60);
}

bool TSystemZone::IsDst(time_t Utc) const {
  return LocalAt(Utc).tm_isdst > 0;
}

// A day that starts and ends with the same offset keeps it throughout: zones change their
// offset at most once a day.
long TSystemZone::OffsetEastSeconds(time_t Utc) const {
  constexpr int64_t SecondsPerDay = 86400;
  const int64_t day = Utc / SecondsPerDay - (Utc % SecondsPerDay < 0 ? 1 : 0);
  TDayOffset& slot = FDays[static_cast<size_t>(day) % FDays.size()];
  {
    std::lock_guard<std::mutex> lock(FDaysGuard);
    if (slot.Day == day) return slot.Offset;
  }
  const long offset = LocalAt(Utc).tm_gmtoff;
  const auto start = static_cast<time_t>(day * SecondsPerDay);
  if (LocalAt(start).tm_gmtoff == offset &&
      LocalAt(start + SecondsPerDay - 1).tm_gmtoff == offset) {
    std::lock_guard<std::mutex> lock(FDaysGuard);
    slot = TDayOffset{day, offset};
  }
  return offset;
}

time_t TSystemZone::ToUtc(std::tm Local) const {
  Local.tm_isdst = -1;
  return mktime(&Local);
}

std::tm TSystemZone::LocalAt(time_t Utc) {
  std::tm parts{};
  localtime_r(&Utc, &parts);
  return parts;
}

}  // namespace notesrt
