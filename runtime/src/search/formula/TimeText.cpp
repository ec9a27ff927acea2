#include "search/formula/TimeText.h"

#include <vector>

#include "search/formula/LocalTime.h"
#include "search/formula/TextTools.h"
#include "text/DateTimeText.h"

namespace notesrt {

namespace {

// A run of text split into numbers and the separators between them.
struct TPieces {
  std::vector<int> Numbers;
  std::vector<size_t> Widths;  // digits of each number
  std::u16string Separators;   // one per gap between numbers
};

std::optional<TPieces> SplitNumbers(std::u16string_view Text, size_t MaxDigits) {
  TPieces pieces;
  size_t i = 0;
  while (i < Text.size()) {
    size_t start = i;
    int value = 0;
    while (i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9' && i - start < MaxDigits)
      value = value * 10 + (Text[i++] - u'0');
    if (i == start) return std::nullopt;
    pieces.Numbers.push_back(value);
    pieces.Widths.push_back(i - start);
    if (i == Text.size()) break;
    pieces.Separators.push_back(Text[i++]);
    if (i == Text.size()) return std::nullopt;
  }
  return pieces;
}

bool IsSeparator(char16_t C, char16_t Fixed, const std::u16string& Regional) {
  return C == Fixed || (Regional.size() == 1 && C == Regional[0]);
}

// Day, month and year at the positions the order gives them.
bool ReadDate(std::u16string_view Text, const TRegionalSettings& Settings, TLocalTime& Local) {
  std::optional<TPieces> pieces = SplitNumbers(Text, 4);
  if (!pieces || pieces->Numbers.size() != 3) return false;
  char16_t separator = pieces->Separators[0];
  if (pieces->Separators[1] != separator) return false;
  bool iso = separator == u'-' && pieces->Widths[0] == 4;
  if (!iso && Settings.DateSeparator != std::u16string(1, separator)) return false;
  TDateOrder order = iso ? TDateOrder::YMD : Settings.DateOrder;
  size_t year = order == TDateOrder::YMD ? 0 : 2;
  size_t month = order == TDateOrder::MDY ? 0 : 1;
  size_t day = order == TDateOrder::DMY ? 0 : order == TDateOrder::MDY ? 1 : 2;
  const std::vector<int>& n = pieces->Numbers;
  size_t yearDigits = pieces->Widths[year];
  if (n[month] < 1 || n[month] > 12 || n[day] < 1 || n[day] > 31) return false;
  if (yearDigits != 4 && (yearDigits != 2 || iso)) return false;
  Local.Year = yearDigits == 2 ? n[year] + (n[year] < 50 ? 2000 : 1900) : n[year];
  Local.Month = n[month];
  Local.Day = n[day];
  return true;
}

bool ReadClock(std::u16string_view Text, const TRegionalSettings& Settings, TLocalTime& Local) {
  std::optional<TPieces> pieces = SplitNumbers(Text, 2);
  if (!pieces || pieces->Numbers.size() < 2) return false;
  const std::u16string& separators = pieces->Separators;
  for (size_t i = 0; i < separators.size() && i < 2; ++i)
    if (!IsSeparator(separators[i], u':', Settings.TimeSeparator)) return false;
  if (separators.size() == 3 && !IsSeparator(separators[2], u'.', Settings.Decimal)) return false;
  const std::vector<int>& n = pieces->Numbers;
  Local.Hour = n[0];
  Local.Minute = n[1];
  Local.Second = n.size() > 2 ? n[2] : 0;
  Local.Hundredth = n.size() > 3 ? n[3] : 0;
  return true;
}

// 0 for AM, 12 for PM, nothing for another word.
std::optional<int> Meridiem(std::u16string_view Word, const TRegionalSettings& Settings) {
  std::u16string upper = AsciiUpper(Word);
  if (upper == u"AM" || Word == Settings.Am) return 0;
  if (upper == u"PM" || Word == Settings.Pm) return 12;
  return std::nullopt;
}

std::vector<std::u16string> Words(std::u16string_view Text) {
  std::vector<std::u16string> words;
  std::u16string word;
  for (char16_t c : Text) {
    if (c != u' ' && c != u'\t') {
      word.push_back(c);
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::optional<TIMEDATE> ParseMoment(std::u16string_view Text, const TRegionalSettings& Settings) {
  TLocalTime local;
  std::optional<int> meridiem;
  for (const std::u16string& word : Words(Text)) {
    std::optional<int> half = Meridiem(word, Settings);
    bool read = false;
    if (half && !meridiem) {
      meridiem = half;
      read = true;
    }
    if (!read && !local.HasDate() && !local.HasTime()) read = ReadDate(word, Settings, local);
    if (!read && !local.HasTime()) read = ReadClock(word, Settings, local);
    if (!read) return std::nullopt;
  }
  if (meridiem) {
    if (!local.HasTime() || local.Hour < 1 || local.Hour > 12) return std::nullopt;
    local.Hour = local.Hour % 12 + *meridiem;
  }
  return TimeOfLocal(local);
}

// Each letter with the digits it takes.
std::optional<TDateTimeFormat> ReadFormat(std::u16string_view Format) {
  using TFormat = TDateTimeFormat;
  TFormat format;
  std::u16string upper = AsciiUpper(Format);
  for (size_t i = 0; i < upper.size(); i += 2) {
    if (i + 1 >= upper.size() || upper[i + 1] < u'0' || upper[i + 1] > u'9') return std::nullopt;
    int digit = upper[i + 1] - u'0';
    switch (upper[i]) {
      case u'D':
        if (digit > 3) return std::nullopt;
        format.Date = static_cast<TFormat::TDate>(digit);
        break;
      case u'T':
        if (digit > 1) return std::nullopt;
        format.Seconds = digit == 0;
        break;
      case u'Z':
        if (digit > 2) return std::nullopt;
        format.Zone = static_cast<TFormat::TZone>(digit);
        break;
      case u'S':
        if (digit > 3) return std::nullopt;
        format.Show = static_cast<TFormat::TShow>(digit);
        break;
      default:
        return std::nullopt;
    }
  }
  return format;
}

}  // namespace

std::optional<TTimeEntry> ParseTimeText(std::u16string_view Text,
                                        const TRegionalSettings& Settings) {
  size_t dash = Text.find(u" - ");
  TTimeEntry entry;
  std::optional<TIMEDATE> lower = ParseMoment(Text.substr(0, dash), Settings);
  if (!lower) return std::nullopt;
  entry.Lower = *lower;
  if (dash == std::u16string_view::npos) return entry;
  std::optional<TIMEDATE> upper = ParseMoment(Text.substr(dash + 3), Settings);
  if (!upper) return std::nullopt;
  entry.Upper = *upper;
  entry.IsRange = true;
  return entry;
}

std::optional<std::u16string> FormatTime(const TTimeEntry& Time, std::u16string_view Format,
                                         const TRegionalSettings& Settings) {
  std::optional<TDateTimeFormat> format = ReadFormat(Format);
  if (!format) return std::nullopt;
  std::optional<std::u16string> text = DateTimeText(Time.Lower, Settings, *format);
  if (!text || !Time.IsRange) return text;
  std::optional<std::u16string> upper = DateTimeText(Time.Upper, Settings, *format);
  if (!upper) return std::nullopt;
  return *text + u" - " + *upper;
}

}  // namespace notesrt
