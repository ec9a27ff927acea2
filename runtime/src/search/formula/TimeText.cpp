#include "search/formula/TimeText.h"

#include <cstdio>
#include <vector>

#include "search/formula/LocalTime.h"
#include "search/formula/TextTools.h"

namespace notesrt {

namespace {

// A run of text split into numbers and the separators between them.
struct TPieces {
  std::vector<int> Numbers;
  std::u16string Separators;  // one per gap between numbers
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
    if (i == Text.size()) break;
    pieces.Separators.push_back(Text[i++]);
    if (i == Text.size()) return std::nullopt;
  }
  return pieces;
}

bool ReadDate(std::u16string_view Text, TLocalTime& Local) {
  std::optional<TPieces> pieces = SplitNumbers(Text, 4);
  if (!pieces || pieces->Numbers.size() != 3) return false;
  const std::vector<int>& n = pieces->Numbers;
  if (pieces->Separators == u"--" && Text.find(u'-') == 4) {
    Local.Year = n[0], Local.Month = n[1], Local.Day = n[2];
  } else if (pieces->Separators == u"//") {
    Local.Month = n[0], Local.Day = n[1], Local.Year = n[2];
    size_t yearDigits = Text.size() - Text.rfind(u'/') - 1;
    if (yearDigits == 2)
      Local.Year += Local.Year < 50 ? 2000 : 1900;
    else if (yearDigits != 4)
      return false;
  } else {
    return false;
  }
  return true;
}

bool ReadClock(std::u16string_view Text, TLocalTime& Local) {
  std::optional<TPieces> pieces = SplitNumbers(Text, 2);
  if (!pieces || pieces->Numbers.size() < 2) return false;
  const std::u16string& separators = pieces->Separators;
  if (separators != u":" && separators != u"::" && separators != u"::.") return false;
  const std::vector<int>& n = pieces->Numbers;
  Local.Hour = n[0];
  Local.Minute = n[1];
  Local.Second = n.size() > 2 ? n[2] : 0;
  Local.Hundredth = n.size() > 3 ? n[3] : 0;
  return true;
}

bool ApplyMeridiem(std::u16string_view Word, TLocalTime& Local) {
  std::u16string upper = AsciiUpper(Word);
  if (upper != u"AM" && upper != u"PM") return false;
  if (!Local.HasTime() || Local.Hour < 1 || Local.Hour > 12) return false;
  Local.Hour = Local.Hour % 12 + (upper == u"PM" ? 12 : 0);
  return true;
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

std::optional<TIMEDATE> ParseMoment(std::u16string_view Text) {
  TLocalTime local;
  for (const std::u16string& word : Words(Text)) {
    bool isClock = word.find(u':') != std::u16string::npos;
    if (isClock && !local.HasTime()) {
      if (!ReadClock(word, local)) return std::nullopt;
    } else if (!isClock && !local.HasDate() && !local.HasTime()) {
      if (!ReadDate(word, local)) return std::nullopt;
    } else if (!ApplyMeridiem(word, local)) {
      return std::nullopt;
    }
  }
  return TimeOfLocal(local);
}

std::string Digits(int Value, int Width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", Width, Value);
  return text;
}

struct TTimeFormat {
  char Date = '0';
  char Clock = '0';
  char Show = '2';
};

std::optional<TTimeFormat> ReadFormat(std::u16string_view Format) {
  TTimeFormat format;
  std::u16string upper = AsciiUpper(Format);
  for (size_t i = 0; i < upper.size(); i += 2) {
    if (i + 1 >= upper.size()) return std::nullopt;
    char16_t kind = upper[i];
    char16_t digit = upper[i + 1];
    if (kind == u'D' && (digit == u'0' || digit == u'2' || digit == u'3'))
      format.Date = static_cast<char>(digit);
    else if (kind == u'T' && (digit == u'0' || digit == u'1'))
      format.Clock = static_cast<char>(digit);
    else if (kind == u'S' && digit >= u'0' && digit <= u'2')
      format.Show = static_cast<char>(digit);
    else
      return std::nullopt;
  }
  return format;
}

std::string DateText(const TLocalTime& Local, char Style) {
  std::string year = Digits(Local.Year, 4);
  std::string month = Digits(Local.Month, 2);
  std::string day = Digits(Local.Day, 2);
  if (Style == '2') return month + "-" + day;
  if (Style == '3') return year + "-" + month;
  return year + "-" + month + "-" + day;
}

std::string ClockText(const TLocalTime& Local, char Style) {
  std::string text = Digits(Local.Hour, 2) + ":" + Digits(Local.Minute, 2);
  return Style == '1' ? text : text + ":" + Digits(Local.Second, 2);
}

std::optional<std::string> MomentText(const TIMEDATE& Time, const TTimeFormat& Format) {
  std::optional<TLocalTime> local = LocalTimeOf(Time);
  if (!local) return std::nullopt;
  bool date = local->HasDate() && Format.Show != '1';
  bool clock = local->HasTime() && Format.Show != '0';
  std::string text = date ? DateText(*local, Format.Date) : "";
  if (clock) text += (date ? " " : "") + ClockText(*local, Format.Clock);
  return text;
}

}  // namespace

std::optional<TTimeEntry> ParseTimeText(std::u16string_view Text) {
  size_t dash = Text.find(u" - ");
  TTimeEntry entry;
  std::optional<TIMEDATE> lower = ParseMoment(Text.substr(0, dash));
  if (!lower) return std::nullopt;
  entry.Lower = *lower;
  if (dash == std::u16string_view::npos) return entry;
  std::optional<TIMEDATE> upper = ParseMoment(Text.substr(dash + 3));
  if (!upper) return std::nullopt;
  entry.Upper = *upper;
  entry.IsRange = true;
  return entry;
}

std::optional<std::u16string> FormatTime(const TTimeEntry& Time, std::u16string_view Format) {
  std::optional<TTimeFormat> format = ReadFormat(Format);
  if (!format) return std::nullopt;
  std::optional<std::string> text = MomentText(Time.Lower, *format);
  if (!text) return std::nullopt;
  if (Time.IsRange) {
    std::optional<std::string> upper = MomentText(Time.Upper, *format);
    if (!upper) return std::nullopt;
    *text += " - " + *upper;
  }
  return std::u16string(text->begin(), text->end());
}

}  // namespace notesrt
