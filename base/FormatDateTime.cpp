// FormatDateTime and the standard date and time texts. A format is read once into steps
// (TDateTimeFormat) and the steps are applied to each value.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "DateTimeFormat.h"
#include "DateUtils.h"

namespace {

// Nested formats (c, ddddd, t ...) are expanded this deep at most, so that a format naming
// itself cannot recurse for ever.
constexpr int MaxNesting = 2;

bool StartsWithNoCase(const std::string& S, size_t Pos, const char* Prefix) {
  for (size_t I = 0; Prefix[I] != '\0'; ++I)
    if (Pos + I >= S.size() || std::tolower(static_cast<unsigned char>(S[Pos + I])) != Prefix[I])
      return false;
  return true;
}

bool IsAsciiLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

void AppendNumber(std::string& Text, int Value, int Digits) {
  if (Value >= 0 && Value < 100 && Digits <= 2) {
    if (Value >= 10 || Digits == 2) Text += static_cast<char>('0' + Value / 10);
    Text += static_cast<char>('0' + Value % 10);
    return;
  }
  char Number[16];
  const auto [End, Error] = std::to_chars(Number, Number + sizeof Number, Value);
  const int Length = static_cast<int>(End - Number);
  if (Length < Digits) Text.append(Digits - Length, '0');
  Text.append(Number, End);
}

}  // namespace

// Reads one format (and the formats it names) into steps.
class TDateTimeFormat::TReader {
 public:
  explicit TReader(TDateTimeFormat& Target) : FTarget(Target), FSettings(Target.FSettings) {}

  void Read(const std::string& Format, int Depth);

 private:
  struct TCursor {
    const std::string& Format;
    size_t Pos;
  };

  static int RepeatCount(TCursor& C, char Starter);
  static bool ClockIs12Hour(const TCursor& C);
  void Number(TField Field, int Digits) {
    TStep Step;
    Step.Kind = TKind::Number;
    Step.Field = Field;
    Step.Digits = Digits;
    FTarget.AddStep(std::move(Step));
  }
  void Names(TKind Kind, const std::string* Names) {
    TStep Step;
    Step.Kind = Kind;
    Step.Names = Names;
    if (Kind == TKind::DayName) FTarget.FNeedsWeekday = true;
    FTarget.AddStep(std::move(Step));
  }
  void AmPm(std::string Am, std::string Pm) {
    TStep Step;
    Step.Kind = TKind::AmPm;
    Step.Literal = std::move(Am);
    Step.Alternative = std::move(Pm);
    FTarget.AddStep(std::move(Step));
  }
  void ReadMonth(int Count);
  void ReadDay(int Count, int Depth);
  void ReadAmPm(TCursor& C, char Starter);
  void ReadQuoted(TCursor& C, char Quote);
  void ReadShortDateAndTime(int Depth);
  void ReadToken(TCursor& C, char Starter, char Token, int Depth);

  TDateTimeFormat& FTarget;
  const TFormatSettings& FSettings;
};

int TDateTimeFormat::TReader::RepeatCount(TCursor& C, char Starter) {
  int Count = 1;
  while (C.Pos < C.Format.size() && C.Format[C.Pos] == Starter) {
    ++C.Pos;
    ++Count;
  }
  return Count;
}

// The hour is on a 12-hour clock when an AM/PM marker follows before the next hour.
bool TDateTimeFormat::TReader::ClockIs12Hour(const TCursor& C) {
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

void TDateTimeFormat::TReader::ReadMonth(int Count) {
  if (Count <= 2)
    Number(TField::Month, Count);
  else
    Names(TKind::MonthName,
          Count == 3 ? FSettings.ShortMonthNames.data() : FSettings.LongMonthNames.data());
}

void TDateTimeFormat::TReader::ReadDay(int Count, int Depth) {
  switch (Count) {
    case 1:
    case 2:
      return Number(TField::Day, Count);
    case 3:
      return Names(TKind::DayName, FSettings.ShortDayNames.data());
    case 4:
      return Names(TKind::DayName, FSettings.LongDayNames.data());
    case 5:
      return Read(FSettings.ShortDateFormat, Depth + 1);
    default:
      return Read(FSettings.LongDateFormat, Depth + 1);
  }
}

// am/pm and a/p are written in the case the format gives them; ampm writes the regional texts;
// aaa and aaaa are day names. C.Pos is just past the starting "a".
void TDateTimeFormat::TReader::ReadAmPm(TCursor& C, char Starter) {
  const std::string& F = C.Format;
  size_t Start = C.Pos - 1;
  if (StartsWithNoCase(F, Start, "am/pm")) {
    AmPm(F.substr(Start, 2), F.substr(Start + 3, 2));
    C.Pos = Start + 5;
  } else if (StartsWithNoCase(F, Start, "a/p")) {
    AmPm(F.substr(Start, 1), F.substr(Start + 2, 1));
    C.Pos = Start + 3;
  } else if (StartsWithNoCase(F, Start, "ampm")) {
    AmPm(FSettings.TimeAMString, FSettings.TimePMString);
    C.Pos = Start + 4;
  } else if (StartsWithNoCase(F, Start, "aaaa")) {
    Names(TKind::DayName, FSettings.LongDayNames.data());
    C.Pos = Start + 4;
  } else if (StartsWithNoCase(F, Start, "aaa")) {
    Names(TKind::DayName, FSettings.ShortDayNames.data());
    C.Pos = Start + 3;
  } else {
    FTarget.AddLiteral(std::string(1, Starter));
  }
}

// A missing closing quote ends the literal at the end of the format.
void TDateTimeFormat::TReader::ReadQuoted(TCursor& C, char Quote) {
  size_t End = C.Format.find(Quote, C.Pos);
  if (End == std::string::npos) End = C.Format.size();
  FTarget.AddLiteral(C.Format.substr(C.Pos, End - C.Pos));
  C.Pos = End < C.Format.size() ? End + 1 : End;
}

void TDateTimeFormat::TReader::ReadShortDateAndTime(int Depth) {
  Read(FSettings.ShortDateFormat, Depth + 1);
  const size_t Skip = FTarget.FSteps.size();
  TStep Step;
  Step.Kind = TKind::SkipAtMidnight;
  FTarget.AddStep(std::move(Step));
  FTarget.AddLiteral(" ");
  Read(FSettings.LongTimeFormat, Depth + 1);
  FTarget.FSteps[Skip].Skip = FTarget.FSteps.size() - Skip - 1;
  FTarget.FJoinFrom = FTarget.FSteps.size();
}

void TDateTimeFormat::TReader::ReadToken(TCursor& C, char Starter, char Token, int Depth) {
  switch (Token) {
    case 'Y': {
      const int Count = RepeatCount(C, Starter);
      return Number(Count <= 2 ? TField::Year2 : TField::Year4, Count <= 2 ? 2 : 4);
    }
    case 'M':
      return ReadMonth(RepeatCount(C, Starter));
    case 'D':
      return ReadDay(RepeatCount(C, Starter), Depth);
    case 'H': {
      const int Count = RepeatCount(C, Starter);
      return Number(ClockIs12Hour(C) ? TField::Hour12 : TField::Hour24, Count > 2 ? 2 : Count);
    }
    case 'N':
      return Number(TField::Minute, std::min(RepeatCount(C, Starter), 2));
    case 'S':
      return Number(TField::Second, std::min(RepeatCount(C, Starter), 2));
    case 'Z':
      return Number(TField::MSec, std::min(RepeatCount(C, Starter), 3));
    case 'T':
      return Read(
          RepeatCount(C, Starter) == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat,
          Depth + 1);
    case 'C':
      RepeatCount(C, Starter);
      return ReadShortDateAndTime(Depth);
    case 'A':
      return ReadAmPm(C, Starter);
    case '/':
      if (FSettings.DateSeparator != '\0')
        FTarget.AddLiteral(std::string(1, FSettings.DateSeparator));
      return;
    case ':':
      if (FSettings.TimeSeparator != '\0')
        FTarget.AddLiteral(std::string(1, FSettings.TimeSeparator));
      return;
    case '\'':
    case '"':
      return ReadQuoted(C, Starter);
    default:
      FTarget.AddLiteral(std::string(1, Starter));
  }
}

void TDateTimeFormat::TReader::Read(const std::string& Format, int Depth) {
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
    ReadToken(C, Starter, Token, Depth);
  }
}

TDateTimeFormat::TDateTimeFormat(const std::string& Format, const TFormatSettings& Settings)
    : FSettings(Settings) {
  TReader(*this).Read(Format.empty() ? std::string("c") : Format, 0);
}

void TDateTimeFormat::AddLiteral(const std::string& Text) {
  if (FSteps.size() > FJoinFrom && FSteps.back().Kind == TKind::Literal) {
    FSteps.back().Literal += Text;
    return;
  }
  TStep Step;
  Step.Literal = Text;
  AddStep(std::move(Step));
}

void TDateTimeFormat::AddStep(TStep Step) {
  FSteps.push_back(std::move(Step));
  // What a range that may be left out holds is never joined with what came before it.
  if (FSteps.back().Kind == TKind::SkipAtMidnight) FJoinFrom = FSteps.size();
}

void TDateTimeFormat::AppendTo(std::string& Text, TDateTime DateTime) const {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
  DecodeDate(DateTime, Year, Month, Day);
  DecodeTime(DateTime, Hour, Min, Sec, MSec);
  const int Weekday = FNeedsWeekday ? DayOfWeek(DateTime) : 0;
  const bool Midnight = Hour == 0 && Min == 0 && Sec == 0 && MSec == 0;
  const int Hour12 = Hour == 0 ? 12 : (Hour > 12 ? Hour - 12 : Hour);
  const int Fields[] = {Year % 100, Year, Month, Day, Hour, Hour12, Min, Sec, MSec};  // as TField
  // Index counts from 1; an undecodable date (index 0) gives no name.
  auto AppendName = [&Text](const std::string* Names, int Index, int Count) {
    if (Index >= 1 && Index <= Count) Text += Names[Index - 1];
  };
  for (size_t I = 0; I < FSteps.size(); ++I) {
    const TStep& Step = FSteps[I];
    switch (Step.Kind) {
      case TKind::Literal:
        Text += Step.Literal;
        break;
      case TKind::MonthName:
        AppendName(Step.Names, Month, 12);
        break;
      case TKind::DayName:
        AppendName(Step.Names, Weekday, 7);
        break;
      case TKind::AmPm:
        Text += Hour >= 12 ? Step.Alternative : Step.Literal;
        break;
      case TKind::SkipAtMidnight:
        if (Midnight) I += Step.Skip;
        break;
      case TKind::Number:
        AppendNumber(Text, Fields[static_cast<size_t>(Step.Field)], Step.Digits);
        break;
    }
  }
}

std::string TDateTimeFormat::Format(TDateTime DateTime) const {
  std::string Text;
  // Room for the usual date and time, so that the text grows once.
  Text.reserve(32);
  AppendTo(Text, DateTime);
  return Text;
}

std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings) {
  return TDateTimeFormat(Format, Settings).Format(DateTime);
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
