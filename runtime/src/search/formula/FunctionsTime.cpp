// Dates and times: now, today, building times from parts, @Adjust.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/LocalTime.h"
#include "search/formula/TimeMath.h"
#include "text/TimeCodec.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

constexpr double SecondsPerDayValue = 86400;

TValue TimeOrInvalid(const std::optional<TIMEDATE>& Time) {
  return Time ? TValue::Time(*Time) : InvalidArgument();
}

std::optional<TIMEDATE> DatePart(const TIMEDATE& Time) {
  std::optional<TLocalTime> local = LocalTimeOf(Time);
  if (!local || !local->HasDate()) return std::nullopt;
  local->Hour = local->Minute = local->Second = local->Hundredth = -1;
  return TimeOfLocal(*local);
}

std::optional<TIMEDATE> ClockPart(const TIMEDATE& Time) {
  std::optional<TLocalTime> local = LocalTimeOf(Time);
  if (!local || !local->HasTime()) return std::nullopt;
  local->Year = local->Month = local->Day = -1;
  return TimeOfLocal(*local);
}

TValue Now(TCall&) {
  return TValue::Time(CurrentTimeDate());
}

TValue TodayPlus(double Days) {
  std::optional<TIMEDATE> today = DatePart(CurrentTimeDate());
  return TimeOrInvalid(today ? AddSeconds(*today, Days * SecondsPerDayValue) : today);
}

TValue Today(TCall&) {
  return TodayPlus(0);
}

TValue Yesterday(TCall&) {
  return TodayPlus(-1);
}

TValue Tomorrow(TCall&) {
  return TodayPlus(1);
}

// The arguments From.. as whole numbers; false when one is not.
bool WholeNumbers(const TCall& Call, size_t From, std::vector<long long>& Numbers) {
  for (size_t index = From; index < Call.Count(); ++index) {
    std::optional<long long> number = WholeNumber(Call.Arg(index));
    if (!number) return false;
    Numbers.push_back(*number);
  }
  return true;
}

// year; month; day and optionally hour; minute; second.
TValue FromParts(const TCall& Call, bool WithDate) {
  std::vector<long long> n;
  if (!WholeNumbers(Call, 0, n)) return WrongType();
  TLocalTime local;
  size_t clock = 0;
  if (WithDate || n.size() == 6) {
    local.Year = static_cast<int>(n[0]), local.Month = static_cast<int>(n[1]);
    local.Day = static_cast<int>(n[2]);
    clock = 3;
  }
  if (n.size() > clock) {
    local.Hour = static_cast<int>(n[clock]), local.Minute = static_cast<int>(n[clock + 1]);
    local.Second = static_cast<int>(n[clock + 2]), local.Hundredth = 0;
  }
  return TimeOrInvalid(TimeOfLocal(local));
}

TValue Date(TCall& Call) {
  if (Call.Count() == 1) return MapTimes(Call.Arg(0), ERR_FORMULA_INVALID_ARGUMENT, DatePart);
  return FromParts(Call, true);
}

TValue Time(TCall& Call) {
  if (Call.Count() == 1) return MapTimes(Call.Arg(0), ERR_FORMULA_INVALID_ARGUMENT, ClockPart);
  return FromParts(Call, false);
}

bool DateOrTimeCount(size_t Count) {
  return Count == 1 || Count == 3 || Count == 6;
}

// The same day of the month Months later; a day past that month's end rolls into the next.
std::optional<TCivilDate> MonthsLater(const TCivilDate& Date, long long Months) {
  long long months = Date.Year * 12LL + (Date.Month - 1) + Months;
  long long year = FloorDiv(months, 12);
  if (year < 1 || year > 9999) return std::nullopt;
  int64_t first =
      DaysSince1970({static_cast<int>(year), static_cast<int>(months - year * 12) + 1, 1});
  return DateFromDays(first + Date.Day - 1);
}

// Days first, then months, then years (each on the calendar), then the clock: adding 2 months
// and 28 days to 2 February gives 2 May. A date-only value has no clock to move.
std::optional<TIMEDATE> Adjusted(const TIMEDATE& Time, const std::vector<long long>& By) {
  std::optional<TLocalTime> local = LocalTimeOf(Time);
  if (!local) return std::nullopt;
  if (!local->HasDate()) {
    double seconds = static_cast<double>(By[3] * 3600 + By[4] * 60 + By[5]);
    return AddSeconds(Time, seconds);
  }
  std::optional<TCivilDate> date =
      DateFromDays(DaysSince1970({local->Year, local->Month, local->Day}) + By[2]);
  if (date) date = MonthsLater(*date, By[1]);
  if (date) date = MonthsLater(*date, By[0] * 12);
  if (!date) return std::nullopt;
  int64_t days = DaysSince1970(*date);
  if (local->HasTime()) {
    long long seconds = local->Hour * 3600LL + local->Minute * 60 + local->Second + By[3] * 3600 +
                        By[4] * 60 + By[5];
    days += FloorDiv(seconds, 86400);
    seconds -= FloorDiv(seconds, 86400) * 86400;
    local->Hour = static_cast<int>(seconds / 3600);
    local->Minute = static_cast<int>(seconds / 60 % 60);
    local->Second = static_cast<int>(seconds % 60);
  }
  date = DateFromDays(days);
  local->Year = date->Year, local->Month = date->Month, local->Day = date->Day;
  return TimeOfLocal(*local);
}

TValue Adjust(TCall& Call) {
  std::vector<long long> by;
  if (!WholeNumbers(Call, 1, by)) return WrongType();
  return MapTimes(Call.Arg(0), ERR_FORMULA_INVALID_ARGUMENT,
                  [&](const TIMEDATE& time) { return Adjusted(time, by); });
}

constexpr std::array Specs{
    TFunctionSpec{u"NOW", 0, 0, 0, Now},
    TFunctionSpec{u"TODAY", 0, 0, 0, Today},
    TFunctionSpec{u"YESTERDAY", 0, 0, 0, Yesterday},
    TFunctionSpec{u"TOMORROW", 0, 0, 0, Tomorrow},
    TFunctionSpec{u"DATE", 1, 6, 0, Date, -1, {}, DateOrTimeCount},
    TFunctionSpec{u"TIME", 1, 6, 0, Time, -1, {}, DateOrTimeCount},
    TFunctionSpec{u"ADJUST", 7, 7, 0, Adjust},
};

}  // namespace

std::span<const TFunctionSpec> TimeFunctions() {
  return Specs;
}

}  // namespace notesrt
