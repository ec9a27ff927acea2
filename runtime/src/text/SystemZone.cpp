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
  const char* tz = getenv("TZ");
  std::optional<std::string> currentTz = tz ? std::optional<std::string>(tz) : std::nullopt;
  if (!cache.Zone || currentTz != cache.Tz) {
    cache.Zone = std::make_unique<TSystemZone>();
    cache.Tz = std::move(currentTz);
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

long TSystemZone::OffsetEastSeconds(time_t Utc) const {
  return LocalAt(Utc).tm_gmtoff;
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
