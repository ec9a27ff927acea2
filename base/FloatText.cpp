#include "FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "SysUtils.h"

namespace {

// The significant digits of a finite, non-zero value without trailing zeros, and its decimal
// exponent E such that the value is 0.d1d2... times ten to the E.
void Digits(double Value, int Precision, std::string& Mantissa, int& Exponent) {
  char Buffer[64];
  snprintf(Buffer, sizeof Buffer, "%.*e", Precision - 1, std::fabs(Value));
  std::string Text = Buffer;
  size_t E = Text.find('e');
  Exponent = atoi(Text.c_str() + E + 1) + 1;
  Mantissa = Text.substr(0, 1) + (E > 2 ? Text.substr(2, E - 2) : std::string());
  while (Mantissa.size() > 1 && Mantissa.back() == '0') Mantissa.pop_back();
}

std::string Fixed(const std::string& Mantissa, int Exponent) {
  if (Exponent <= 0) return "0." + std::string(-Exponent, '0') + Mantissa;
  if (static_cast<int>(Mantissa.size()) <= Exponent)
    return Mantissa + std::string(Exponent - Mantissa.size(), '0');
  return Mantissa.substr(0, Exponent) + "." + Mantissa.substr(Exponent);
}

std::string Scientific(const std::string& Mantissa, int Exponent) {
  std::string Result = Mantissa.substr(0, 1);
  if (Mantissa.size() > 1) Result += "." + Mantissa.substr(1);
  return Result + "E" + std::to_string(Exponent - 1);
}

bool IsNumberChar(char C) {
  return (C >= '0' && C <= '9') || C == '.' || C == 'e' || C == 'E' || C == '+' || C == '-';
}

}  // namespace

std::string FloatToStr(double Value, int Precision) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  if (Value == 0) return "0";
  std::string Mantissa;
  int Exponent = 0;
  Digits(Value, Precision, Mantissa, Exponent);
  std::string Text = (Exponent > Precision || Exponent < -3) ? Scientific(Mantissa, Exponent)
                                                             : Fixed(Mantissa, Exponent);
  return Value < 0 ? "-" + Text : Text;
}

std::string CurrToStr(int64_t Scaled) {
  uint64_t Magnitude = Scaled < 0 ? 0 - static_cast<uint64_t>(Scaled) : Scaled;
  std::string Text = std::to_string(Magnitude / 10000);
  std::string Fraction = std::to_string(Magnitude % 10000 + 10000).substr(1);
  while (!Fraction.empty() && Fraction.back() == '0') Fraction.pop_back();
  if (!Fraction.empty()) Text += "." + Fraction;
  return Scaled < 0 ? "-" + Text : Text;
}

bool TryStrToFloat(const std::string& S, double& Value) {
  std::string Text = Trim(S);
  size_t Start = (!Text.empty() && Text[0] == '+') ? 1 : 0;
  if (Start == Text.size() || (Start == 1 && Text[1] == '-')) return false;
  bool HasDigit = false;
  for (char C : Text) {
    if (!IsNumberChar(C)) return false;
    HasDigit = HasDigit || (C >= '0' && C <= '9');
  }
  if (!HasDigit) return false;
  const char* Last = Text.data() + Text.size();
  auto [End, Error] = std::from_chars(Text.data() + Start, Last, Value);
  return Error == std::errc() && End == Last;
}
