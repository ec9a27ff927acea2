#pragma once

#include <cmath>
#include <optional>

#include "notesapi/nsfsearc.h"
#include "search/formula/Value.h"

namespace notesrt {

// Building blocks of the @functions that work element by element.

inline TValue WrongType() {
  return TValue::Error(ERR_FORMULA_WRONG_TYPE);
}

inline TValue InvalidArgument() {
  return TValue::Error(ERR_FORMULA_INVALID_ARGUMENT);
}

// Fn(text) gives a text.
template <class TFn>
TValue MapTexts(const TValue& Value, TFn Fn) {
  if (Value.Kind() != TValueKind::Text) return WrongType();
  TValue::TTexts texts;
  texts.reserve(Value.Size());
  for (const std::u16string& text : Value.AsTexts()) texts.push_back(Fn(text));
  return TValue::Texts(std::move(texts));
}

// Fn(text) gives a number.
template <class TFn>
TValue MapTextsToNumbers(const TValue& Value, TFn Fn) {
  if (Value.Kind() != TValueKind::Text) return WrongType();
  TValue::TNumbers numbers;
  numbers.reserve(Value.Size());
  for (const std::u16string& text : Value.AsTexts()) numbers.push_back(Fn(text));
  return TValue::Numbers(std::move(numbers));
}

// Fn(number) gives a number; one that is not finite makes the result an overflow.
template <class TFn>
TValue MapNumbers(const TValue& Value, TFn Fn) {
  if (Value.Kind() != TValueKind::Number) return WrongType();
  TValue::TNumbers numbers;
  numbers.reserve(Value.Size());
  for (double number : Value.AsNumbers()) {
    double result = Fn(number);
    if (!std::isfinite(result)) return TValue::Error(ERR_FORMULA_OVERFLOW);
    numbers.push_back(result);
  }
  return TValue::Numbers(std::move(numbers));
}

// Fn(time) gives an optional time; nothing makes the result Failure.
template <class TFn>
TValue MapTimes(const TValue& Value, STATUS Failure, TFn Fn) {
  if (Value.Kind() != TValueKind::Time) return WrongType();
  TValue::TTimes times;
  times.reserve(Value.Size());
  for (const TTimeEntry& entry : Value.AsTimes()) {
    std::optional<TIMEDATE> time = Fn(entry.Lower);
    if (!time) return TValue::Error(Failure);
    times.push_back(TTimeEntry{*time, {}, false});
  }
  return TValue::Times(std::move(times));
}

// The first element of a number argument as a whole number, when it is one of reasonable size.
inline std::optional<long long> WholeNumber(const TValue& Value) {
  if (Value.Kind() != TValueKind::Number) return std::nullopt;
  double number = Value.AsNumbers()[0];
  if (!(std::fabs(number) < 1e9)) return std::nullopt;
  return std::llround(std::trunc(number));
}

}  // namespace notesrt
