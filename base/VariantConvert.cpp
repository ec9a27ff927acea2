// TVariant: conversions between the kinds.
#include <cfloat>
#include <charconv>
#include <cmath>

#include "FloatText.h"
#include "SysUtils.h"
#include "Unicode.h"
#include "Variant.h"

namespace {

constexpr int64_t CurrencyScale = 10000;

bool IsWholeKind(TVarType Type) {
  return Type == varSmallint || Type == varInteger || Type == varByte || Type == varWord ||
         Type == varInt64;
}

bool IsTextKind(TVarType Type) {
  return Type == varString || Type == varOleStr;
}

bool TryTextToInt64(const std::string& S, int64_t& Value) {
  std::string Text = Trim(S);
  const char* First = Text.data() + (!Text.empty() && Text[0] == '+' ? 1 : 0);
  const char* Last = Text.data() + Text.size();
  auto [End, Error] = std::from_chars(First, Last, Value);
  return First != Last && Error == std::errc() && End == Last;
}

// "True" and "False" in any case; Delphi's Boolean values are -1 and 0.
bool TryTextToBoolean(const std::string& S, int64_t& Value) {
  std::string Text = Trim(S);
  if (SameText(Text, "True"))
    Value = -1;
  else if (SameText(Text, "False"))
    Value = 0;
  else
    return false;
  return true;
}

// Rounds half to even, as the platform's variant conversions do; false when out of range.
bool TryRound(double Value, int64_t Min, int64_t Max, int64_t& Result) {
  constexpr double Limit = 9223372036854775808.0;  // 2^63, exactly
  double Rounded = std::nearbyint(Value);
  if (!(Rounded >= -Limit && Rounded < Limit)) return false;
  Result = static_cast<int64_t>(Rounded);
  return Result >= Min && Result <= Max;
}

}  // namespace

std::string TVariant::AsString() const {
  switch (FType) {
    case varEmpty:
      return std::string();
    case varBoolean:
      return std::get<int64_t>(FValue) != 0 ? "True" : "False";
    case varSingle:
      return FloatToStr(std::get<double>(FValue), 7);
    case varDouble:
      return FloatToStr(std::get<double>(FValue));
    case varCurrency:
      return CurrToStr(std::get<int64_t>(FValue));
    case varDate:
      return DateTimeToStr(std::get<double>(FValue));
    case varString:
      return std::get<std::string>(FValue);
    case varOleStr:
      return Utf16ToUtf8(std::get<std::u16string>(FValue));
    default:
      break;
  }
  if (!IsWholeKind(FType)) RaiseCastError(varString);
  return IntToStr(std::get<int64_t>(FValue));
}

std::u16string TVariant::AsWideString() const {
  if (FType == varOleStr) return std::get<std::u16string>(FValue);
  if (FType == varNull || IsArray()) RaiseCastError(varOleStr);
  return Utf8ToUtf16(AsString());
}

// The value as a number, for the conversion to Target (named in the error).
double TVariant::NumberValue(TVarType Target) const {
  switch (FType) {
    case varEmpty:
      return 0;
    case varSingle:
    case varDouble:
    case varDate:
      return std::get<double>(FValue);
    case varCurrency:
      return static_cast<double>(std::get<int64_t>(FValue)) / CurrencyScale;
    case varBoolean:
      return std::get<int64_t>(FValue) != 0 ? -1 : 0;
    default:
      break;
  }
  if (IsWholeKind(FType)) return static_cast<double>(std::get<int64_t>(FValue));
  if (!IsTextKind(FType)) RaiseCastError(Target);
  std::string Text = AsString();
  double Value = 0;
  int64_t Flag = 0;
  if (TryStrToFloat(Text, Value)) return Value;
  if (TryTextToBoolean(Text, Flag)) return static_cast<double>(Flag);
  RaiseCastError(Target);
}

// The value as a whole number within Min..Max; fractions are rounded.
int64_t TVariant::WholeNumber(TVarType Target, int64_t Min, int64_t Max) const {
  int64_t Value = 0;
  if (IsWholeKind(FType)) {
    Value = std::get<int64_t>(FValue);
  } else if (FType == varBoolean) {
    Value = std::get<int64_t>(FValue) != 0 ? -1 : 0;
  } else if (!(IsTextKind(FType) && TryTextToInt64(AsString(), Value)) &&
             !TryRound(NumberValue(Target), Min, Max, Value)) {
    RaiseCastError(Target);
  }
  if (Value < Min || Value > Max) RaiseCastError(Target);
  return Value;
}

double TVariant::AsDouble() const {
  return NumberValue(varDouble);
}

int32_t TVariant::AsInteger() const {
  return static_cast<int32_t>(WholeNumber(varInteger, INT32_MIN, INT32_MAX));
}

int64_t TVariant::AsInt64() const {
  return WholeNumber(varInt64, INT64_MIN, INT64_MAX);
}

int64_t TVariant::AsCurrency() const {
  if (FType == varCurrency) return std::get<int64_t>(FValue);
  int64_t Scaled = 0;
  if (IsWholeKind(FType) || FType == varBoolean) {
    if (__builtin_mul_overflow(WholeNumber(varCurrency, INT64_MIN, INT64_MAX), CurrencyScale,
                               &Scaled))
      RaiseCastError(varCurrency);
    return Scaled;
  }
  if (!TryRound(NumberValue(varCurrency) * CurrencyScale, INT64_MIN, INT64_MAX, Scaled))
    RaiseCastError(varCurrency);
  return Scaled;
}

bool TVariant::AsBoolean() const {
  if (IsTextKind(FType)) {
    int64_t Flag = 0;
    if (TryTextToBoolean(AsString(), Flag)) return Flag != 0;
  }
  return NumberValue(varBoolean) != 0;
}

TDateTime TVariant::AsDateTime() const {
  TDateTime Value = 0;
  if (IsTextKind(FType) && TryStrToDateTime(AsString(), Value)) return Value;
  return NumberValue(varDate);
}

TVariant TVariant::ConvertScalar(TVarType Target) const {
  switch (Target) {
    case varEmpty:
      return TVariant();
    case varNull:
      return Null();
    case varSmallint:
      return TVariant(static_cast<int16_t>(WholeNumber(Target, INT16_MIN, INT16_MAX)));
    case varInteger:
      return TVariant(AsInteger());
    case varByte:
      return FromByte(static_cast<uint8_t>(WholeNumber(Target, 0, UINT8_MAX)));
    case varWord:
      return FromWord(static_cast<uint16_t>(WholeNumber(Target, 0, UINT16_MAX)));
    case varInt64:
      return FromInt64(AsInt64());
    case varDouble:
      return TVariant(AsDouble());
    case varCurrency:
      return FromCurrency(AsCurrency());
    case varDate:
      return FromDate(AsDateTime());
    case varBoolean:
      return TVariant(AsBoolean());
    case varString:
      return TVariant(AsString());
    case varOleStr:
      return TVariant(AsWideString());
    case varSingle: {
      double Value = NumberValue(Target);
      if (std::isfinite(Value) && std::fabs(Value) > FLT_MAX) RaiseCastError(Target);
      return TVariant(static_cast<float>(Value));
    }
    default:
      RaiseCastError(Target);
  }
}

TVariant TVariant::ConvertArray(TVarType Target) const {
  TVarType Element = static_cast<TVarType>(Target & varTypeMask);
  if (!IsArray()) RaiseCastError(Target);
  TVariant Result = CreateArray(LowBound(), HighBound(), Element);
  for (int I = LowBound(); I <= HighBound(); ++I) Result.PutElement(I, GetElement(I));
  return Result;
}

TVariant TVariant::AsType(TVarType Target) const {
  if (Target == FType || Target == varVariant) return *this;
  if ((Target & varArray) != 0) return ConvertArray(Target);
  if (IsArray()) RaiseCastError(Target);
  return ConvertScalar(Target);
}
