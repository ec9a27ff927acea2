#include "text/RegionalSettings.h"

#include <langinfo.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#include "text/UnicodeText.h"

namespace notesrt {

namespace {

// One conversion of a strftime format and the literal text up to the next one.
struct TField {
  char Code;
  std::string After;
};

// The composite conversions spelled out; %r is the locale's own 12-hour time.
std::string_view Composite(char Code, std::string_view AmPmFormat) {
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
      return AmPmFormat;
    default:
      return {};
  }
}

// Flags, widths and the E and O modifiers do not change which field a conversion is.
void AppendFields(std::string_view Format, std::string_view AmPmFormat, std::vector<TField>& Fields,
                  int Depth = 0) {
  for (size_t i = 0; i < Format.size(); ++i) {
    if (Format[i] != '%') {
      if (!Fields.empty()) Fields.back().After += Format[i];
      continue;
    }
    do ++i;
    while (i < Format.size() && std::strchr("_-0^#EO123456789", Format[i]));
    if (i >= Format.size()) break;
    std::string_view composite = Composite(Format[i], AmPmFormat);
    if (!composite.empty() && Depth < 2)
      AppendFields(composite, AmPmFormat, Fields, Depth + 1);
    else if (Format[i] != '%')
      Fields.push_back(TField{Format[i], ""});
  }
}

std::vector<TField> FieldsOf(std::string_view Format, std::string_view AmPmFormat) {
  std::vector<TField> fields;
  AppendFields(Format, AmPmFormat, fields);
  return fields;
}

// The position of the first field with one of Codes; -1 when there is none.
int Find(const std::vector<TField>& Fields, const char* Codes) {
  for (size_t i = 0; i < Fields.size(); ++i)
    if (std::strchr(Codes, Fields[i].Code)) return static_cast<int>(i);
  return -1;
}

// Text of the locale: taken as UTF-8 in a UTF-8 locale, otherwise only when plain ASCII.
bool Decode(const TLocaleTexts& Texts, const std::string& Text, std::u16string& Target) {
  if (Text.empty()) return false;
  bool ascii = true;
  for (char c : Text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii && Texts.Codeset != "UTF-8") return false;
  Target = Utf8ToUtf16(Text);
  return true;
}

// The text after field From, when it is the same after each of the Count - 1 fields from there;
// none otherwise.
std::string SeparatorOf(const std::vector<TField>& Fields, int From, int Count) {
  const std::string& first = Fields[From].After;
  if (Count == 3 && Fields[From + 1].After != first) return {};
  return first;
}

void ReadDate(const TLocaleTexts& Texts, TRegionalSettings& Settings) {
  std::vector<TField> fields = FieldsOf(Texts.DateFormat, Texts.TimeFormatAmPm);
  int day = Find(fields, "de"), month = Find(fields, "m"), year = Find(fields, "yY");
  if (day < 0 || month < 0 || year < 0) return;
  if (month < day && day < year)
    Settings.DateOrder = TDateOrder::MDY;
  else if (day < month && month < year)
    Settings.DateOrder = TDateOrder::DMY;
  else if (year < month && month < day)
    Settings.DateOrder = TDateOrder::YMD;
  else
    return;
  Settings.FourDigitYear = fields[year].Code == 'Y';
  int first = std::min({day, month, year});
  if (std::max({day, month, year}) == first + 2)
    Decode(Texts, SeparatorOf(fields, first, 3), Settings.DateSeparator);
}

void ReadTime(const TLocaleTexts& Texts, TRegionalSettings& Settings) {
  Decode(Texts, Texts.Am, Settings.Am);
  Decode(Texts, Texts.Pm, Settings.Pm);
  std::vector<TField> fields = FieldsOf(Texts.TimeFormat, Texts.TimeFormatAmPm);
  int hour = Find(fields, "HkIl"), minute = Find(fields, "M");
  if (hour < 0 || minute != hour + 1) return;
  bool seconds = minute + 1 < static_cast<int>(fields.size()) && fields[minute + 1].Code == 'S';
  Decode(Texts, SeparatorOf(fields, hour, seconds ? 3 : 2), Settings.TimeSeparator);
  bool twelve = std::strchr("Il", fields[hour].Code) != nullptr;
  int meridiem = Find(fields, "pP");
  Settings.TwelveHour = twelve && !Texts.Am.empty() && !Texts.Pm.empty();
  Settings.AmPmFirst = Settings.TwelveHour && meridiem >= 0 && meridiem < hour;
}

void ReadNumbers(const TLocaleTexts& Texts, TRegionalSettings& Settings) {
  Decode(Texts, Texts.Decimal, Settings.Decimal);
  if (!Decode(Texts, Texts.Thousands, Settings.Thousands))
    Settings.Thousands = Settings.Decimal == u"," ? u"." : u",";
  Decode(Texts, Texts.Currency, Settings.Currency);
  if (Texts.CurrencyPrecedes >= 0) Settings.CurrencyAfter = Texts.CurrencyPrecedes == 0;
  if (Texts.CurrencySpace >= 0) Settings.CurrencySpace = Texts.CurrencySpace == 1;
  if (Texts.CurrencyDigits >= 0 && Texts.CurrencyDigits <= 15)
    Settings.CurrencyDigits = Texts.CurrencyDigits;
}

std::string Info(nl_item Item) {
  const char* text = nl_langinfo(Item);
  return text ? text : "";
}

// A number item: one char, CHAR_MAX (or negative) when the locale leaves it open.
int NumberInfo(nl_item Item) {
  const char* text = nl_langinfo(Item);
  return text && *text >= 0 && *text != CHAR_MAX ? *text : -1;
}

}  // namespace

TRegionalSettings RegionalSettingsOf(const TLocaleTexts& Texts) {
  TRegionalSettings settings;
  ReadDate(Texts, settings);
  ReadTime(Texts, settings);
  ReadNumbers(Texts, settings);
  return settings;
}

TLocaleTexts CurrentLocaleTexts() {
  TLocaleTexts texts;
  texts.Codeset = Info(CODESET);
  texts.DateFormat = Info(D_FMT);
  texts.TimeFormat = Info(T_FMT);
  texts.TimeFormatAmPm = Info(T_FMT_AMPM);
  texts.Am = Info(AM_STR);
  texts.Pm = Info(PM_STR);
  texts.Decimal = Info(RADIXCHAR);
  texts.Thousands = Info(THOUSEP);
  texts.Currency = Info(CURRENCY_SYMBOL);
  texts.CurrencyPrecedes = NumberInfo(P_CS_PRECEDES);
  texts.CurrencySpace = NumberInfo(P_SEP_BY_SPACE);
  texts.CurrencyDigits = NumberInfo(FRAC_DIGITS);
  return texts;
}

TRegionalSettings CurrentRegionalSettings() {
  return RegionalSettingsOf(CurrentLocaleTexts());
}

}  // namespace notesrt
