// The regional settings: the process-wide ones and their translation from a locale's data.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <type_traits>

#include "DateUtils.h"

namespace {

struct TLocaleFree {
  void operator()(locale_t Locale) const { freelocale(Locale); }
};
using TLocale = std::unique_ptr<std::remove_pointer_t<locale_t>, TLocaleFree>;

bool IsAsciiLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsPunctuation(char C) {
  return C > ' ' && C < 0x7F && !IsAsciiLetter(C) && !(C >= '0' && C <= '9');
}

// The FormatDateTime letters of one strftime conversion; empty for conversions without one.
// Composite conversions come back as strftime text to be translated in turn.
std::string Conversion(char Code, bool& Composite) {
  Composite = false;
  switch (Code) {
    case 'd':
      return "dd";
    case 'e':
      return "d";
    case 'm':
      return "mm";
    case 'b':
    case 'h':
      return "mmm";
    case 'B':
      return "mmmm";
    case 'y':
      return "yy";
    case 'Y':
    case 'G':
      return "yyyy";
    case 'a':
      return "ddd";
    case 'A':
      return "dddd";
    case 'H':
    case 'I':
      return "hh";
    case 'k':
    case 'l':
      return "h";
    case 'M':
      return "nn";
    case 'S':
      return "ss";
    case 'p':
    case 'P':
      return "ampm";
    case 'n':
    case 't':
      return " ";
    default:
      break;
  }
  Composite = true;
  switch (Code) {
    case 'D':
      return "%m/%d/%y";
    case 'F':
      return "%Y-%m-%d";
    case 'T':
      return "%H:%M:%S";
    case 'R':
      return "%H:%M";
    case 'r':
      return "%I:%M:%S %p";
    default:
      break;
  }
  Composite = false;
  return std::string();
}

// Literal text; letters and quotes would be read as format characters, so they are quoted.
void AppendLiteral(std::string& Out, char C, char& Separator) {
  if (IsPunctuation(C) && C != '"' && C != '\'' && Separator == '\0') Separator = C;
  if (IsAsciiLetter(C) || C == '\'')
    Out += std::string("\"") + C + "\"";
  else if (C == '"')
    Out += "'\"'";
  else
    Out += C;
}

// Flags, field width and the E and O modifiers change nothing here.
size_t SkipModifiers(const std::string& S, size_t Pos) {
  while (Pos < S.size() && std::string("_-0^#EO123456789").find(S[Pos]) != std::string::npos) ++Pos;
  return Pos;
}

std::string TimeWithoutSeconds(std::string LongTime) {
  size_t Seconds = LongTime.find("ss");
  if (Seconds == std::string::npos) return LongTime;
  size_t Start = Seconds;
  while (Start > 0 && IsPunctuation(LongTime[Start - 1]) && LongTime[Start - 1] != '"') --Start;
  return LongTime.erase(Start, Seconds + 2 - Start);
}

bool IsCLocale(const std::string& Name) {
  return Name.empty() || Name == "C" || Name == "POSIX" || Name.rfind("C.", 0) == 0;
}

// The locale the environment names for dates and times, as setlocale(LC_TIME, "") would pick.
std::string UserTimeLocaleName() {
  for (const char* Variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* Value = getenv(Variable);
    if (Value != nullptr && Value[0] != '\0') return Value;
  }
  return "C";
}

// Texts of a locale whose character set is not UTF-8 are taken only when plain ASCII, as the
// native character set is UTF-8.
class TLocaleTexts {
 public:
  explicit TLocaleTexts(locale_t Locale)
      : FLocale(Locale), FUtf8(std::string_view(nl_langinfo_l(CODESET, Locale)) == "UTF-8") {}

  void Read(std::string& Target, nl_item Item) const {
    std::string Text = nl_langinfo_l(Item, FLocale);
    if (FUtf8 || IsAscii(Text)) Target = Text;
  }

  template <size_t N>
  void ReadNames(std::array<std::string, N>& Names, nl_item First) const {
    for (size_t I = 0; I < N; ++I) Read(Names[I], First + static_cast<int>(I));
  }

 private:
  static bool IsAscii(const std::string& Text) {
    for (char C : Text)
      if (static_cast<unsigned char>(C) >= 0x80) return false;
    return true;
  }

  locale_t FLocale;
  bool FUtf8;
};

void ReadLocale(TFormatSettings& Settings, locale_t Locale) {
  char DateSeparator = '\0';
  char TimeSeparator = '\0';
  std::string ShortDate = TranslateStrftime(nl_langinfo_l(D_FMT, Locale), DateSeparator);
  std::string LongTime = TranslateStrftime(nl_langinfo_l(T_FMT, Locale), TimeSeparator);
  if (!ShortDate.empty()) Settings.ShortDateFormat = ShortDate;
  if (!LongTime.empty()) Settings.LongTimeFormat = LongTime;
  Settings.ShortTimeFormat = TimeWithoutSeconds(Settings.LongTimeFormat);
  if (DateSeparator != '\0') Settings.DateSeparator = DateSeparator;
  if (TimeSeparator != '\0') Settings.TimeSeparator = TimeSeparator;
  TLocaleTexts Texts(Locale);
  Texts.Read(Settings.TimeAMString, AM_STR);
  Texts.Read(Settings.TimePMString, PM_STR);
  Texts.ReadNames(Settings.ShortMonthNames, ABMON_1);
  Texts.ReadNames(Settings.LongMonthNames, MON_1);
  Texts.ReadNames(Settings.ShortDayNames, ABDAY_1);
  Texts.ReadNames(Settings.LongDayNames, DAY_1);
}

}  // namespace

std::string TranslateStrftime(const std::string& Strftime, char& Separator) {
  std::string Result;
  for (size_t Pos = 0; Pos < Strftime.size(); ++Pos) {
    if (Strftime[Pos] != '%') {
      AppendLiteral(Result, Strftime[Pos], Separator);
      continue;
    }
    Pos = SkipModifiers(Strftime, Pos + 1);
    if (Pos >= Strftime.size()) break;
    if (Strftime[Pos] == '%') {
      Result += '%';
      continue;
    }
    bool Composite = false;
    std::string Letters = Conversion(Strftime[Pos], Composite);
    Result += Composite ? TranslateStrftime(Letters, Separator) : Letters;
  }
  return Result;
}

// The character set (CODESET) is part of the character-type category.
TFormatSettings LocaleFormatSettings(const std::string& LocaleName) {
  TFormatSettings Settings;
  if (IsCLocale(LocaleName)) return Settings;
  TLocale Locale(
      newlocale(LC_TIME_MASK | LC_CTYPE_MASK, LocaleName.c_str(), static_cast<locale_t>(nullptr)));
  if (Locale) ReadLocale(Settings, Locale.get());
  return Settings;
}

TFormatSettings& FormatSettings() {
  static TFormatSettings Settings = LocaleFormatSettings(UserTimeLocaleName());
  return Settings;
}
