#include "text/DateTimeText.h"

#include <cstdio>

#include "notesapi/misc.h"
#include "text/SystemZone.h"
#include "text/TimeCodec.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

using TFormat = TDateTimeFormat;

std::u16string Digits(int Value, int Width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", Width, Value);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

// Two digits only for the years that read back as themselves.
std::u16string YearText(int Year, const TRegionalSettings& Settings) {
  bool twoDigits = !Settings.FourDigitYear && Year >= 1950 && Year <= 1999;
  return twoDigits ? Digits(Year % 100, 2) : Digits(Year, 4);
}

std::u16string Joined(const std::u16string& A, const std::u16string& B,
                      const TRegionalSettings& Settings) {
  return A + Settings.DateSeparator + B;
}

std::u16string DateText(const TIME& Local, TFormat::TDate Part, const TRegionalSettings& Settings) {
  std::u16string year = YearText(Local.year, Settings);
  std::u16string month = Digits(Local.month, 2);
  std::u16string day = Digits(Local.day, 2);
  TDateOrder order = Settings.DateOrder;
  switch (Part) {
    case TFormat::TDate::MonthDay:
      return order == TDateOrder::DMY ? Joined(day, month, Settings) : Joined(month, day, Settings);
    case TFormat::TDate::YearMonth:
      return order == TDateOrder::YMD ? Joined(year, month, Settings)
                                      : Joined(month, year, Settings);
    default:
      break;
  }
  if (order == TDateOrder::YMD) return Joined(Joined(year, month, Settings), day, Settings);
  if (order == TDateOrder::DMY) return Joined(Joined(day, month, Settings), year, Settings);
  return Joined(Joined(month, day, Settings), year, Settings);
}

std::u16string ClockText(const TIME& Local, bool Seconds, const TRegionalSettings& Settings) {
  int hour = Local.hour;
  if (Settings.TwelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
  std::u16string text = Digits(hour, 2) + Settings.TimeSeparator + Digits(Local.minute, 2);
  if (Seconds) text += Settings.TimeSeparator + Digits(Local.second, 2);
  if (!Settings.TwelveHour) return text;
  const std::u16string& meridiem = Local.hour < 12 ? Settings.Am : Settings.Pm;
  return Settings.AmPmFirst ? meridiem + u" " + text : text + u" " + meridiem;
}

// The zone a TIMEDATE was written in, or the machine's, in TIME's terms.
void SetZone(TIME& Time, bool Own) {
  if (Own) {
    ZoneOfBits(Time.GM.Innards[1], Time.zone, Time.dst);
    return;
  }
  const TSystemZone& system = TSystemZone::Current();
  Time.zone = system.Zone();
  Time.dst = system.ObservesDst() ? TRUE : FALSE;
}

time_t UtcOf(const TIMEDATE& Time) {
  int64_t days = static_cast<int64_t>(Time.Innards[1] & JulianDayMask) - JulianDayOf1970;
  return static_cast<time_t>(days * SecondsPerDay + Time.Innards[0] / 100);
}

// The zones with a name of their own; the others are "ZE" or "ZW" and the hours (and minutes)
// east or west of GMT, with "DT" while daylight-saving time is in effect.
std::u16string ZoneName(int MinutesWest, bool Daylight) {
  struct TNamed {
    int MinutesWest;
    const char16_t* Standard;
    const char16_t* Summer;
  };
  static constexpr TNamed Named[] = {
      {240, u"AST", u"ADT"}, {300, u"EST", u"EDT"},  {360, u"CST", u"CDT"},
      {420, u"MST", u"MDT"}, {480, u"PST", u"PDT"},  {540, u"YST", u"YDT"},
      {600, u"HST", u"HDT"}, {-60, u"CET", u"CEDT"}, {-120, u"EET", u"EEDT"},
  };
  for (const TNamed& named : Named)
    if (named.MinutesWest == MinutesWest) return Daylight ? named.Summer : named.Standard;
  if (MinutesWest == 0 && !Daylight) return u"GMT";
  int minutes = MinutesWest < 0 ? -MinutesWest : MinutesWest;
  std::u16string name = MinutesWest < 0 ? u"ZE" : u"ZW";
  name += Digits(minutes / 60, 1);
  if (minutes % 60) name += u":" + Digits(minutes % 60, 2);
  return Daylight ? name + u"DT" : name;
}

// The zone's name, or nothing when the format does not show it for this value.
std::u16string ZoneText(const TIME& Time, TFormat::TZone Zone) {
  const TSystemZone& system = TSystemZone::Current();
  bool machine = system.Matches(Time.zone, Time.dst);
  if (Zone == TFormat::TZone::Convert || (Zone == TFormat::TZone::NameOther && machine)) return {};
  int minutesWest = 0;
  if (!ZoneMinutesWest(Time.zone, minutesWest)) return {};
  time_t utc = UtcOf(Time.GM);
  bool daylight = machine ? system.IsDst(utc) : Time.dst && system.IsDst(utc);
  return ZoneName(minutesWest, daylight);
}

int64_t DaysOf(const TIME& Local) {
  return DaysSince1970({Local.year, Local.month, Local.day});
}

// "Today" or "Yesterday" for S3, else the date as the format asks.
std::u16string DatePart(const TIME& Local, const TFormat& Format,
                        const TRegionalSettings& Settings) {
  TIME today{};
  today.GM = CurrentTimeDate();
  SetZone(today, false);
  bool known = GMToLocal(today);
  if (known && Format.Show == TFormat::TShow::Relative) {
    int64_t days = DaysOf(Local) - DaysOf(today);
    if (days == 0) return u"Today";
    if (days == -1) return u"Yesterday";
  }
  TFormat::TDate part = Format.Date;
  if (part == TFormat::TDate::YearIfOther)
    part = known && Local.year == today.year ? TFormat::TDate::MonthDay : TFormat::TDate::Full;
  return DateText(Local, part, Settings);
}

}  // namespace

std::optional<std::u16string> DateTimeText(const TIMEDATE& Time, const TRegionalSettings& Settings,
                                           const TDateTimeFormat& Format) {
  bool showDate = Format.Show != TFormat::TShow::Time;
  bool showClock = Format.Show != TFormat::TShow::Date;
  if (Time.Innards[1] == ANYDAY) {
    // A time of day alone has no zone: its ticks are the local clock.
    if (Time.Innards[0] >= TICKS_IN_DAY) return std::nullopt;
    TIME clock{};
    clock.hour = static_cast<int>(Time.Innards[0] / TICKS_IN_HOUR);
    clock.minute = static_cast<int>(Time.Innards[0] / TICKS_IN_MINUTE % 60);
    clock.second = static_cast<int>(Time.Innards[0] / TICKS_IN_SECOND % 60);
    return showClock ? ClockText(clock, Format.Seconds, Settings) : u"";
  }
  TIME local{};
  local.GM = Time;
  SetZone(local, Format.Zone != TFormat::TZone::Convert);
  if (!GMToLocal(local)) return std::nullopt;
  bool hasClock = local.hour >= 0;
  std::u16string text = showDate ? DatePart(local, Format, Settings) : u"";
  if (!hasClock || !showClock) return text;
  if (!text.empty()) text += u" ";
  text += ClockText(local, Format.Seconds, Settings);
  std::u16string zone = ZoneText(local, Format.Zone);
  return zone.empty() ? text : text + u" " + zone;
}

}  // namespace notesrt
