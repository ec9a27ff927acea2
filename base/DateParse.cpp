// Reading dates and times from text in the regional format.
#include <cctype>

#include "DateUtils.h"

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

// The order of day, month and year is that of their first letters in the short date format.
TDateOrder DateOrder(const std::string& ShortDateFormat) {
  bool InQuotes = false;
  for (char C : ShortDateFormat) {
    if (C == '"' || C == '\'') InQuotes = !InQuotes;
    if (InQuotes) continue;
    switch (std::toupper(static_cast<unsigned char>(C))) {
      case 'D':
        return doDMY;
      case 'Y':
        return doYMD;
      case 'M':
        return doMDY;
    }
  }
  return doMDY;
}

class TScanner {
 public:
  explicit TScanner(const std::string& Text) : FText(Text) {}

  bool AtEnd() {
    SkipBlanks();
    return FPos >= FText.size();
  }

  // Up to nine digits; Digits tells how many there were.
  bool Number(int& Value, int& Digits) {
    SkipBlanks();
    Value = 0;
    Digits = 0;
    while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) {
      if (++Digits > 9) return false;
      Value = Value * 10 + (FText[FPos++] - '0');
    }
    return Digits > 0;
  }

  bool Char(char C) {
    SkipBlanks();
    if (C == '\0' || FPos >= FText.size() || FText[FPos] != C) return false;
    ++FPos;
    return true;
  }

  bool Word(const std::string& W) {
    SkipBlanks();
    if (W.empty() || FText.size() - FPos < W.size()) return false;
    for (size_t I = 0; I < W.size(); ++I)
      if (std::tolower(static_cast<unsigned char>(FText[FPos + I])) !=
          std::tolower(static_cast<unsigned char>(W[I])))
        return false;
    FPos += W.size();
    return true;
  }

  // Milliseconds of a decimal fraction: ".5" is 500; digits past the third are dropped.
  bool Fraction(int& MSec) {
    int Value = 0, Digits = 0;
    if (!Number(Value, Digits)) return false;
    while (Digits > 3) Value /= 10, --Digits;
    while (Digits < 3) Value *= 10, ++Digits;
    MSec = Value;
    return true;
  }

 private:
  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
  }

  const std::string& FText;
  size_t FPos = 0;
};

int CurrentYear() {
  int Year = 0, Month = 0, Day = 0;
  DecodeDate(Now(), Year, Month, Day);
  return Year;
}

// A year written with one or two digits lies in the window around the current year.
int ExpandYear(int Year, const TFormatSettings& Settings) {
  int CenturyBase = CurrentYear() - Settings.TwoDigitYearCenturyWindow;
  Year += CenturyBase / 100 * 100;
  if (Settings.TwoDigitYearCenturyWindow > 0 && Year < CenturyBase) Year += 100;
  return Year;
}

bool ScanDate(TScanner& Scan, TDateTime& Value, const TFormatSettings& Settings) {
  TDateOrder Order = DateOrder(Settings.ShortDateFormat);
  int N1, L1, N2, L2, N3, L3;
  if (!Scan.Number(N1, L1) || !Scan.Char(Settings.DateSeparator) || !Scan.Number(N2, L2))
    return false;
  int Year, Month, Day;
  if (Scan.Char(Settings.DateSeparator)) {
    if (!Scan.Number(N3, L3)) return false;
    int YearDigits = Order == doYMD ? L1 : L3;
    Year = Order == doYMD ? N1 : N3;
    Month = Order == doMDY ? N1 : N2;
    Day = Order == doMDY ? N2 : (Order == doDMY ? N1 : N3);
    if (YearDigits <= 2) Year = ExpandYear(Year, Settings);
    // A separator may end the date, as in "24.12.2024.".
    Scan.Char(Settings.DateSeparator);
  } else {
    Year = CurrentYear();
    Month = Order == doDMY ? N2 : N1;
    Day = Order == doDMY ? N1 : N2;
  }
  return TryEncodeDate(Year, Month, Day, Value);
}

// AM or PM: the regional text or the English one.
int ScanHalfDay(TScanner& Scan, const TFormatSettings& Settings) {
  if (Scan.Word(Settings.TimeAMString) || Scan.Word("AM")) return 0;
  if (Scan.Word(Settings.TimePMString) || Scan.Word("PM")) return 12;
  return -1;
}

bool ScanTime(TScanner& Scan, TDateTime& Value, const TFormatSettings& Settings) {
  int BaseHour = ScanHalfDay(Scan, Settings);
  int Hour, Min = 0, Sec = 0, MSec = 0, Digits;
  if (!Scan.Number(Hour, Digits)) return false;
  if (Scan.Char(Settings.TimeSeparator)) {
    if (!Scan.Number(Min, Digits)) return false;
    if (Scan.Char(Settings.TimeSeparator)) {
      if (!Scan.Number(Sec, Digits)) return false;
      if (Scan.Char('.') && !Scan.Fraction(MSec)) return false;
    }
  }
  if (BaseHour < 0) BaseHour = ScanHalfDay(Scan, Settings);
  if (BaseHour >= 0) {
    if (Hour == 0 || Hour > 12) return false;
    Hour = Hour % 12 + BaseHour;
  }
  return TryEncodeTime(Hour, Min, Sec, MSec, Value);
}

using TScanFunction = bool (*)(TScanner&, TDateTime&, const TFormatSettings&);
using TTryFunction = bool (*)(const std::string&, TDateTime&, const TFormatSettings&);

// The whole text must be what Scan reads; Value changes only on success.
bool ScanWhole(TScanFunction Scan, const std::string& S, TDateTime& Value,
               const TFormatSettings& Settings) {
  TScanner Scanner(S);
  TDateTime Result = 0;
  if (!Scan(Scanner, Result, Settings) || !Scanner.AtEnd()) return false;
  Value = Result;
  return true;
}

TDateTime ConvertOrRaise(TTryFunction Try, const std::string& S, const TFormatSettings& Settings,
                         const char* What) {
  TDateTime Value = 0;
  if (!Try(S, Value, Settings)) throw EConvertError("'" + S + "' is not a valid " + What);
  return Value;
}

}  // namespace

bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  return ScanWhole(ScanDate, S, Value, Settings);
}

bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  return ScanWhole(ScanTime, S, Value, Settings);
}

// A date alone, a date and a time, or a time alone.
bool TryStrToDateTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner Scan(S);
  TDateTime Day = 0, Time = 0;
  if (!ScanDate(Scan, Day, Settings)) return TryStrToTime(S, Value, Settings);
  if (!Scan.AtEnd() && !(ScanTime(Scan, Time, Settings) && Scan.AtEnd())) return false;
  Value = Day >= 0 ? Day + Time : Day - Time;
  return true;
}

TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings) {
  return ConvertOrRaise(TryStrToDate, S, Settings, "date");
}

TDateTime StrToTime(const std::string& S, const TFormatSettings& Settings) {
  return ConvertOrRaise(TryStrToTime, S, Settings, "time");
}

TDateTime StrToDateTime(const std::string& S, const TFormatSettings& Settings) {
  return ConvertOrRaise(TryStrToDateTime, S, Settings, "date and time");
}
