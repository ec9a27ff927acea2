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

std::optional<TNumberFormat> ReadFormat(std::u16string_view Format) {
  TNumberFormat format;
  std::u16string upper = AsciiUpper(Format);
  for (size_t i = 0; i < upper.size(); ++i) {
    char16_t c = upper[i];
    if (c == u'G' || c == u'F' || c == u'S') {
      format.Style = static_cast<char>(c);
      if (i + 1 < upper.size() && upper[i + 1] >= u'0' && upper[i + 1] <= u'9')
        format.Digits = upper[++i] - u'0';
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

// Up to 15 significant digits, no trailing zeros, exponent only for very large or small values.
std::string General(double Number) {
  if (Number == 0) Number = 0;  // no "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.15G", Number);
  return text;
}

std::string Styled(double Number, const TNumberFormat& Format) {
  char text[400];
  int digits = Format.Digits < 0 ? 2 : Format.Digits;
  if (Format.Style == 'F')
    std::snprintf(text, sizeof text, "%.*f", digits, Number);
  else if (Format.Style == 'S')
    std::snprintf(text, sizeof text, "%.*E", digits, Number);
  else
    return General(Number);
  return text;
}

// Inserts "," between groups of three digits of the integer part.
std::string Grouped(const std::string& Text) {
  size_t digitsStart = Text.find_first_of("0123456789");
  size_t digitsEnd = Text.find_first_not_of("0123456789", digitsStart);
  if (digitsStart == std::string::npos) return Text;
  if (digitsEnd == std::string::npos) digitsEnd = Text.size();
  std::string result = Text.substr(0, digitsStart);
  for (size_t i = digitsStart; i < digitsEnd; ++i) {
    if (i > digitsStart && (digitsEnd - i) % 3 == 0) result.push_back(',');
    result.push_back(Text[i]);
  }
  return result + Text.substr(digitsEnd);
}

}  // namespace

std::optional<double> ParseNumberText(std::u16string_view Text) {
  std::u16string trimmed = TrimBlanks(Text);
  std::string ascii;
  for (char16_t c : trimmed) {
    if (c >= 0x80) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  size_t start = !ascii.empty() && ascii[0] == '+' ? 1 : 0;
  double number = 0;
  const char* end = ascii.data() + ascii.size();
  auto [stop, error] = std::from_chars(ascii.data() + start, end, number);
  if (error != std::errc() || stop != end || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<std::u16string> FormatNumber(double Number, std::u16string_view Format) {
  std::optional<TNumberFormat> format = ReadFormat(Format);
  if (!format) return std::nullopt;
  double shown = format->Percent ? Number * 100 : Number;
  bool parenthesised = format->Parentheses && shown < 0;
  std::string text = Styled(parenthesised ? -shown : shown, *format);
  if (format->Grouped) text = Grouped(text);
  if (format->Percent) text += "%";
  if (parenthesised) text = "(" + text + ")";
  return std::u16string(text.begin(), text.end());
}

}  // namespace notesrt
