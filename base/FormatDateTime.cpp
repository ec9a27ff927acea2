// FormatDateTime and the standard date and time texts.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "DateUtils.h"

namespace {

// Nested formats (c, ddddd, t ...) are expanded this deep at most, so that a format naming
// itself cannot recurse for ever.
constexpr int MaxNesting = 2;

class TDateTimeFormatter {
 public:
  TDateTimeFormatter(TDateTime DateTime, const TFormatSettings& Settings) : FSettings(Settings) {
    // Room for the usual date and time, so that the text grows once.
    FResult.reserve(32);
    DecodeDate(DateTime, FYear, FMonth, FDay);
    DecodeTime(DateTime, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(DateTime);
  }

  void Append(const std::string& Format, int Depth);
  std::string TakeResult() { return std::move(FResult); }

 private:
  struct TCursor {
    const std::string& Format;
    size_t Pos;
  };

  static int RepeatCount(TCursor& C, char Starter);
  void AppendNumber(int Value, int Digits);
  void AppendName(const std::string* Names, int Index, int Count);
  void AppendYear(int Count) { AppendNumber(Count <= 2 ? FYear % 100 : FYear, Count <= 2 ? 2 : 4); }
  void AppendMonth(int Count);
  void AppendDay(int Count, int Depth);
  void AppendHour(TCursor& C, int Count);
  void AppendAmPm(TCursor& C, char Starter);
  void AppendQuoted(TCursor& C, char Quote);
  void AppendShortDateAndTime(int Depth);
  bool ClockIs12Hour(const TCursor& C) const;
  void AppendToken(TCursor& C, char Starter, char Token, int Depth);

  const TFormatSettings& FSettings;
  std::string FResult;
  int FYear = 0, FMonth = 0, FDay = 0, FDayOfWeek = 0;
  int FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
};

bool StartsWithNoCase(const std::string& S, size_t Pos, const char* Prefix) {
  for (size_t I = 0; Prefix[I] != '\0'; ++I)
    if (Pos + I >= S.size() || std::tolower(static_cast<unsigned char>(S[Pos + I])) != Prefix[I])
      return false;
  return true;
}

bool IsAsciiLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

int TDateTimeFormatter::RepeatCount(TCursor& C, char Starter) {
  int Count = 1;
  while (C.Pos < C.Format.size() && C.Format[C.Pos] == Starter) {
    ++C.Pos;
    ++Count;
  }
  return Count;
}

// Without a temporary string: a mail list formats a date on every line. Most fields are one
// or two digits.
void TDateTimeFormatter::AppendNumber(int Value, int Digits) {
  if (Value >= 0 && Value < 100 && Digits <= 2) {
    if (Value >= 10 || Digits == 2) FResult += static_cast<char>('0' + Value / 10);
    FResult += static_cast<char>('0' + Value % 10);
    return;
  }
  char Text[16];
  const auto [End, Error] = std::to_chars(Text, Text + sizeof Text, Value);
  const int Length = static_cast<int>(End - Text);
  if (Length < Digits) FResult.append(Digits - Length, '0');
  FResult.append(Text, End);
}

// Index counts from 1; an undecodable date (index 0) gives no name.
void TDateTimeFormatter::AppendName(const std::string* Names, int Index, int Count) {
  if (Index >= 1 && Index <= Count) FResult += Names[Index - 1];
}

void TDateTimeFormatter::AppendMonth(int Count) {
  if (Count <= 2)
    AppendNumber(FMonth, Count);
  else if (Count == 3)
    AppendName(FSettings.ShortMonthNames.data(), FMonth, 12);
  else
    AppendName(FSettings.LongMonthNames.data(), FMonth, 12);
}

void TDateTimeFormatter::AppendDay(int Count, int Depth) {
  switch (Count) {
    case 1:
    case 2:
      AppendNumber(FDay, Count);
      break;
    case 3:
      AppendName(FSettings.ShortDayNames.data(), FDayOfWeek, 7);
      break;
    case 4:
      AppendName(FSettings.LongDayNames.data(), FDayOfWeek, 7);
      break;
    case 5:
      Append(FSettings.ShortDateFormat, Depth + 1);
      break;
    default:
      Append(FSettings.LongDateFormat, Depth + 1);
  }
}

// The hour is on a 12-hour clock when an AM/PM marker follows before the next hour.
bool TDateTimeFormatter::ClockIs12Hour(const TCursor& C) const {
  bool InQuotes = false;
  for (size_t P = C.Pos; P < C.Format.size(); ++P) {
    char Ch = C.Format[P];
    if (Ch == '\'' || Ch == '"') InQuotes = !InQuotes;
    if (InQuotes) continue;
    if (Ch == 'h' || Ch == 'H') return false;
    if (Ch == 'a' || Ch == 'A')
      return StartsWithNoCase(C.Format, P, "am/pm") || StartsWithNoCase(C.Format, P, "a/p") ||
             StartsWithNoCase(C.Format, P, "ampm");
  }
  return false;
}

void TDateTimeFormatter::AppendHour(TCursor& C, int Count) {
  int Hour = FHour;
  if (ClockIs12Hour(C)) Hour = Hour == 0 ? 12 : (Hour > 12 ? Hour - 12 : Hour);
  AppendNumber(Hour, Count > 2 ? 2 : Count);
}

// am/pm and a/p are written in the case the format gives them; ampm writes the regional texts;
// aaa and aaaa are day names. C.Pos is just past the starting "a".
void TDateTimeFormatter::AppendAmPm(TCursor& C, char Starter) {
  const std::string& F = C.Format;
  size_t Start = C.Pos - 1;
  bool Pm = FHour >= 12;
  if (StartsWithNoCase(F, Start, "am/pm")) {
    FResult += F.substr(Start + (Pm ? 3 : 0), 2);
    C.Pos = Start + 5;
  } else if (StartsWithNoCase(F, Start, "a/p")) {
    FResult += F[Start + (Pm ? 2 : 0)];
    C.Pos = Start + 3;
  } else if (StartsWithNoCase(F, Start, "ampm")) {
    FResult += Pm ? FSettings.TimePMString : FSettings.TimeAMString;
    C.Pos = Start + 4;
  } else if (StartsWithNoCase(F, Start, "aaaa")) {
    AppendName(FSettings.LongDayNames.data(), FDayOfWeek, 7);
    C.Pos = Start + 4;
  } else if (StartsWithNoCase(F, Start, "aaa")) {
    AppendName(FSettings.ShortDayNames.data(), FDayOfWeek, 7);
    C.Pos = Start + 3;
  } else {
    FResult += Starter;
  }
}

// A missing closing quote ends the literal at the end of the format.
void TDateTimeFormatter::AppendQuoted(TCursor& C, char Quote) {
  size_t End = C.Format.find(Quote, C.Pos);
  if (End == std::string::npos) End = C.Format.size();
  FResult += C.Format.substr(C.Pos, End - C.Pos);
  C.Pos = End < C.Format.size() ? End + 1 : End;
}

void TDateTimeFormatter::AppendShortDateAndTime(int Depth) {
  Append(FSettings.ShortDateFormat, Depth + 1);
  if (FHour == 0 && FMin == 0 && FSec == 0 && FMSec == 0) return;
  FResult += ' ';
  Append(FSettings.LongTimeFormat, Depth + 1);
}

void TDateTimeFormatter::AppendToken(TCursor& C, char Starter, char Token, int Depth) {
  switch (Token) {
    case 'Y':
      return AppendYear(RepeatCount(C, Starter));
    case 'M':
      return AppendMonth(RepeatCount(C, Starter));
    case 'D':
      return AppendDay(RepeatCount(C, Starter), Depth);
    case 'H':
      return AppendHour(C, RepeatCount(C, Starter));
    case 'N':
      return AppendNumber(FMin, std::min(RepeatCount(C, Starter), 2));
    case 'S':
      return AppendNumber(FSec, std::min(RepeatCount(C, Starter), 2));
    case 'Z':
      return AppendNumber(FMSec, std::min(RepeatCount(C, Starter), 3));
    case 'T':
      return Append(
          RepeatCount(C, Starter) == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat,
          Depth + 1);
    case 'C':
      RepeatCount(C, Starter);
      return AppendShortDateAndTime(Depth);
    case 'A':
      return AppendAmPm(C, Starter);
    case '/':
      if (FSettings.DateSeparator != '\0') FResult += FSettings.DateSeparator;
      return;
    case ':':
      if (FSettings.TimeSeparator != '\0') FResult += FSettings.TimeSeparator;
      return;
    case '\'':
    case '"':
      return AppendQuoted(C, Starter);
    default:
      FResult += Starter;
  }
}

void TDateTimeFormatter::Append(const std::string& Format, int Depth) {
  if (Depth >= MaxNesting) return;
  TCursor C{Format, 0};
  char LastToken = ' ';
  while (C.Pos < Format.size()) {
    char Starter = Format[C.Pos++];
    char Token = Starter;
    if (IsAsciiLetter(Starter)) {
      Token = Starter >= 'a' ? static_cast<char>(Starter - 'a' + 'A') : Starter;
      // "m" right after an hour means minutes.
      if (Token == 'M' && LastToken == 'H') Token = 'N';
      LastToken = Token;
    }
    AppendToken(C, Starter, Token, Depth);
  }
}

}  // namespace

std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings) {
  static const std::string Default = "c";
  TDateTimeFormatter Formatter(DateTime, Settings);
  Formatter.Append(Format.empty() ? Default : Format, 0);
  return Formatter.TakeResult();
}

std::string DateToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime("ddddd", DateTime, Settings);
}

std::string TimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime("tt", DateTime, Settings);
}

std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime("c", DateTime, Settings);
}
