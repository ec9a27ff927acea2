#include "search/formula/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "search/formula/TextTools.h"

namespace notesrt {

namespace {

struct TNumberFormat {
  char Style = 'G';
  int Digits = -1;
  bool Percent = false;
  bool Grouped = false;
  bool Parentheses = false;
};

constexpr int MaxDigits = 15;

std::optional<TNumberFormat> ReadFormat(std::u16string_view Format) {
  TNumberFormat format;
  std::u16string upper = AsciiUpper(Format);
  for (size_t i = 0; i < upper.size(); ++i) {
    char16_t c = upper[i];
    if (c == u'G' || c == u'F' || c == u'S' || c == u'C') {
      format.Style = static_cast<char>(c);
    } else if (c >= u'0' && c <= u'9') {
      format.Digits = c - u'0';
      if (i + 1 < upper.size() && upper[i + 1] >= u'0' && upper[i + 1] <= u'9')
        format.Digits = format.Digits * 10 + (upper[++i] - u'0');
      if (format.Digits > MaxDigits) return std::nullopt;
    } else if (c == u'%') {
      format.Percent = true;
    } else if (c == u',') {
      format.Grouped = true;
    } else if (c == u'(' && i + 1 < upper.size() && upper[i + 1] == u')') {
      format.Parentheses = true;
      ++i;
    } else if (c != u' ') {
      return std::nullopt;
    }
  }
  return format;
}

// Halves away from zero, as @Round does, where printf would round them to even.
double Rounded(double Number, int Digits) {
  double scale = std::pow(10.0, Digits);
  double scaled = Number * scale;
  return std::fabs(scaled) < 1e15 ? std::round(scaled) / scale : Number;
}

std::string Printed(const char* Format, int Digits, double Number) {
  char text[400];
  std::snprintf(text, sizeof text, Format, Digits, Number);
  return text;
}

// Up to 15 significant digits, no trailing zeros, exponent only for very large or small values;
// with a count of decimals, rounded to it first.
std::string General(double Number, int Digits) {
  if (Digits < 0) return Printed("%.*G", MaxDigits, Number);
  std::string text = Printed("%.*f", Digits, Rounded(Number, Digits));
  if (text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// The digits of a number not below zero, "." as the decimal mark.
std::string Unsigned(double Number, const TNumberFormat& Format, int CurrencyDigits) {
  int digits = Format.Digits < 0 ? 2 : Format.Digits;
  switch (Format.Style) {
    case 'F':
      return Printed("%.*f", digits, Rounded(Number, digits));
    case 'C':
      digits = Format.Digits < 0 ? CurrencyDigits : Format.Digits;
      return Printed("%.*f", digits, Rounded(Number, digits));
    case 'S':
      return Printed("%.*E", digits, Number);
    default:
      return General(Number, Format.Digits);
  }
}

// Thousands between groups of three digits of the integer part, the regional decimal mark.
std::u16string Localised(const std::string& Text, bool Grouped, const TRegionalSettings& Settings) {
  size_t integerEnd = Text.find_first_not_of("0123456789");
  if (integerEnd == std::string::npos) integerEnd = Text.size();
  std::u16string result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Grouped && i > 0 && i < integerEnd && (integerEnd - i) % 3 == 0)
      result += Settings.Thousands;
    if (Text[i] == '.')
      result += Settings.Decimal;
    else
      result.push_back(static_cast<char16_t>(Text[i]));
  }
  return result;
}

std::u16string WithCurrency(const std::u16string& Text, const TRegionalSettings& Settings) {
  std::u16string space = Settings.CurrencySpace ? u" " : u"";
  return Settings.CurrencyAfter ? Text + space + Settings.Currency
                                : Settings.Currency + space + Text;
}

// The ASCII form of the number Text begins with, and where it ends. The exponent counts only
// with digits after it.
std::string NumberPrefix(std::u16string_view Text, char16_t Decimal, size_t& End) {
  std::string ascii;
  size_t i = 0;
  auto digits = [&] {
    size_t start = i;
    while (i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9') ascii.push_back(char(Text[i++]));
    return i > start;
  };
  if (i < Text.size() && (Text[i] == u'-' || Text[i] == u'+'))
    if (Text[i++] == u'-') ascii.push_back('-');
  bool whole = digits();
  bool fraction = false;
  if (i < Text.size() && Text[i] == Decimal) {
    ++i;
    ascii.push_back('.');
    fraction = digits();
  }
  End = whole || fraction ? i : 0;
  if (End == 0) return {};
  if (i < Text.size() && (Text[i] == u'e' || Text[i] == u'E')) {
    std::string mantissa = ascii;
    ascii.push_back('e');
    ++i;
    if (i < Text.size() && (Text[i] == u'-' || Text[i] == u'+')) ascii.push_back(char(Text[i++]));
    if (digits())
      End = i;
    else
      ascii = mantissa;
  }
  return ascii;
}

std::optional<double> NumberOf(const std::string& Ascii) {
  double number = 0;
  auto [stop, error] = std::from_chars(Ascii.data(), Ascii.data() + Ascii.size(), number);
  if (error != std::errc() || stop != Ascii.data() + Ascii.size() || !std::isfinite(number))
    return std::nullopt;
  return number;
}

}  // namespace

std::optional<double> ParseNumberText(std::u16string_view Text, char16_t Decimal) {
  std::u16string trimmed = TrimBlanks(Text);
  size_t end = 0;
  std::string ascii = NumberPrefix(trimmed, Decimal, end);
  if (end == 0 || end != trimmed.size()) return std::nullopt;
  return NumberOf(ascii);
}

std::optional<double> LeadingNumber(std::u16string_view Text, char16_t Decimal) {
  size_t start = Text.find_first_not_of(u" \t");
  if (start == Text.npos) return std::nullopt;
  size_t end = 0;
  std::string ascii = NumberPrefix(Text.substr(start), Decimal, end);
  return end == 0 ? std::nullopt : NumberOf(ascii);
}

std::optional<std::u16string> FormatNumber(double Number, std::u16string_view Format,
                                           const TRegionalSettings& Settings) {
  std::optional<TNumberFormat> format = ReadFormat(Format);
  if (!format) return std::nullopt;
  double shown = format->Percent ? Number * 100 : Number;
  std::string digits = Unsigned(std::fabs(shown), *format, Settings.CurrencyDigits);
  // A value that rounds to zero shows no sign.
  bool negative = shown < 0 && digits.find_first_of("123456789") < digits.find_first_of("eE");
  bool grouped = format->Grouped && format->Style != 'S';
  std::u16string text = Localised(digits, grouped, Settings);
  if (format->Percent) text += u"%";
  if (format->Style == 'C') text = WithCurrency(text, Settings);
  if (negative) text = format->Parentheses ? u"(" + text + u")" : u"-" + text;
  return text;
}

}  // namespace notesrt
