// Conversions: @Text, @TextToNumber, @TextToTime, @ToNumber, @ToTime, in the regional settings.
// The @TextTo functions convert empty text to empty text, as a missing field should; the @To
// functions, which take a value already of the wanted type as it is, find nothing to convert in
// it.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/NumberText.h"
#include "search/formula/TimeText.h"

namespace notesrt {

namespace {

char16_t DecimalOf(const TRegionalSettings& Settings) {
  return Settings.Decimal.size() == 1 ? Settings.Decimal[0] : u'.';
}

TValue Text(TCall& Call) {
  const TValue& value = Call.Arg(0);
  std::u16string format;
  if (Call.Count() > 1) {
    if (Call.Arg(1).Kind() != TValueKind::Text) return WrongType();
    format = Call.Arg(1).AsTexts()[0];
  }
  if (value.Kind() == TValueKind::Text) return value;
  const TRegionalSettings& settings = Call.Evaluation().Regional();
  TValue::TTexts texts;
  for (size_t i = 0; i < value.Size(); ++i) {
    std::optional<std::u16string> text = value.Kind() == TValueKind::Number
                                             ? FormatNumber(value.AsNumbers()[i], format, settings)
                                             : FormatTime(value.AsTimes()[i], format, settings);
    if (!text) return InvalidArgument();
    texts.push_back(std::move(*text));
  }
  return TValue::Texts(std::move(texts));
}

// Each text element by Read (a value already of the Target kind as it is); an element Read
// finds nothing in makes the result Failure.
template <class TElement, class TRead>
TValue Converted(const TValue& Value, TValueKind Target, bool KeepEmpty, STATUS Failure,
                 TRead Read) {
  if (Value.Kind() == Target || (KeepEmpty && Value.IsNull())) return Value;
  if (Value.Kind() != TValueKind::Text) return WrongType();
  std::vector<TElement> elements;
  for (const std::u16string& text : Value.AsTexts()) {
    std::optional<TElement> element = Read(text);
    if (!element) return TValue::Error(Failure);
    elements.push_back(*element);
  }
  if constexpr (std::is_same_v<TElement, double>)
    return TValue::Numbers(std::move(elements));
  else
    return TValue::Times(std::move(elements));
}

// The number each text begins with.
TValue TextToNumber(TCall& Call) {
  char16_t decimal = DecimalOf(Call.Evaluation().Regional());
  return Converted<double>(
      Call.Arg(0), TValueKind::Number, true, ERR_FORMULA_NOT_NUMBER,
      [&](const std::u16string& text) { return LeadingNumber(text, decimal); });
}

// Each text a number as a whole.
TValue ToNumber(TCall& Call) {
  char16_t decimal = DecimalOf(Call.Evaluation().Regional());
  return Converted<double>(
      Call.Arg(0), TValueKind::Number, false, ERR_FORMULA_NOT_NUMBER,
      [&](const std::u16string& text) { return ParseNumberText(text, decimal); });
}

TValue Times(TCall& Call, bool KeepEmpty) {
  const TRegionalSettings& settings = Call.Evaluation().Regional();
  return Converted<TTimeEntry>(
      Call.Arg(0), TValueKind::Time, KeepEmpty, ERR_FORMULA_NOT_TIME,
      [&](const std::u16string& text) { return ParseTimeText(text, settings); });
}

TValue TextToTime(TCall& Call) {
  return Times(Call, true);
}

TValue ToTime(TCall& Call) {
  return Times(Call, false);
}

constexpr std::array Specs{
    TFunctionSpec{u"TEXT", 1, 2, 0, Text},
    TFunctionSpec{u"TEXTTONUMBER", 1, 1, 0, TextToNumber},
    TFunctionSpec{u"TEXTTOTIME", 1, 1, 0, TextToTime},
    TFunctionSpec{u"TONUMBER", 1, 1, 0, ToNumber},
    TFunctionSpec{u"TOTIME", 1, 1, 0, ToTime},
};

}  // namespace

std::span<const TFunctionSpec> ConversionFunctions() {
  return Specs;
}

}  // namespace notesrt
