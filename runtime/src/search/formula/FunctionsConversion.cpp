// Conversions: @Text, @TextToNumber, @TextToTime. Empty text converts to empty text, as a
// missing field should.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/NumberText.h"
#include "search/formula/TimeText.h"

namespace notesrt {

namespace {

TValue Text(TCall& Call) {
  const TValue& value = Call.Arg(0);
  std::u16string format;
  if (Call.Count() > 1) {
    if (Call.Arg(1).Kind() != TValueKind::Text) return WrongType();
    format = Call.Arg(1).AsTexts()[0];
  }
  if (value.Kind() == TValueKind::Text) return value;
  TValue::TTexts texts;
  for (size_t i = 0; i < value.Size(); ++i) {
    std::optional<std::u16string> text = value.Kind() == TValueKind::Number
                                             ? FormatNumber(value.AsNumbers()[i], format)
                                             : FormatTime(value.AsTimes()[i], format);
    if (!text) return InvalidArgument();
    texts.push_back(std::move(*text));
  }
  return TValue::Texts(std::move(texts));
}

TValue TextToNumber(TCall& Call) {
  const TValue& value = Call.Arg(0);
  if (value.Kind() == TValueKind::Number || value.IsNull()) return value;
  if (value.Kind() != TValueKind::Text) return WrongType();
  TValue::TNumbers numbers;
  for (const std::u16string& text : value.AsTexts()) {
    std::optional<double> number = ParseNumberText(text);
    if (!number) return TValue::Error(ERR_FORMULA_NOT_NUMBER);
    numbers.push_back(*number);
  }
  return TValue::Numbers(std::move(numbers));
}

TValue TextToTime(TCall& Call) {
  const TValue& value = Call.Arg(0);
  if (value.Kind() == TValueKind::Time || value.IsNull()) return value;
  if (value.Kind() != TValueKind::Text) return WrongType();
  TValue::TTimes times;
  for (const std::u16string& text : value.AsTexts()) {
    std::optional<TTimeEntry> time = ParseTimeText(text);
    if (!time) return TValue::Error(ERR_FORMULA_NOT_TIME);
    times.push_back(*time);
  }
  return TValue::Times(std::move(times));
}

constexpr std::array Specs{
    TFunctionSpec{u"TEXT", 1, 2, 0, Text},
    TFunctionSpec{u"TEXTTONUMBER", 1, 1, 0, TextToNumber},
    TFunctionSpec{u"TEXTTOTIME", 1, 1, 0, TextToTime},
};

}  // namespace

std::span<const TFunctionSpec> ConversionFunctions() {
  return Specs;
}

}  // namespace notesrt
