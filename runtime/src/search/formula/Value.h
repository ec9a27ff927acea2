#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/TestedApi.h"
#include "notesapi/global.h"

namespace notesrt {

// One element of a time value: a moment, or a range when IsRange.
struct NOTESRT_TESTED TTimeEntry {
  TIMEDATE Lower{};
  TIMEDATE Upper{};
  bool IsRange = false;

  bool operator==(const TTimeEntry& Other) const;
};

enum class TValueKind { Text, Number, Time, Error };

// A formula value: a non-empty list of texts, numbers or times, or an error (a status) that
// travels through every operator until something tests for it.
class NOTESRT_TESTED TValue {
 public:
  using TTexts = std::vector<std::u16string>;
  using TNumbers = std::vector<double>;
  using TTimes = std::vector<TTimeEntry>;

  // Bounds that keep a formula from exhausting memory (permuted operators multiply list
  // lengths, concatenation doubles text); a value beyond them is ERR_FORMULA_VALUE_TOO_BIG.
  static constexpr size_t MaxElements = 65535;
  static constexpr size_t MaxTextUnits = size_t{4} << 20;

  // The empty text, which is also what a missing field reads as.
  TValue() : FData(TTexts{std::u16string()}) {}
  static TValue Text(std::u16string Text) { return Texts(TTexts{std::move(Text)}); }
  static TValue Number(double Number) { return TValue(TNumbers{Number}); }
  static TValue Boolean(bool Truth) { return Number(Truth ? 1 : 0); }
  static TValue Time(const TIMEDATE& Time) { return TValue(TTimes{TTimeEntry{Time, {}, false}}); }
  static TValue Error(STATUS Status) { return TValue(Status); }
  // An empty list becomes the empty text: formula values always have an element.
  static TValue Texts(TTexts Texts);
  static TValue Numbers(TNumbers Numbers);
  static TValue Times(TTimes Times);

  TValueKind Kind() const { return static_cast<TValueKind>(FData.index()); }
  bool IsError() const { return Kind() == TValueKind::Error; }
  // Elements in the list; 1 for an error.
  size_t Size() const;
  const TTexts& AsTexts() const { return std::get<TTexts>(FData); }
  const TNumbers& AsNumbers() const { return std::get<TNumbers>(FData); }
  const TTimes& AsTimes() const { return std::get<TTimes>(FData); }
  STATUS ErrorStatus() const { return std::get<STATUS>(FData); }

  // A number with an element other than 0: what a selection and a condition need.
  bool IsTrue() const;
  // "" or a list of nothing but "".
  bool IsNull() const;

  bool operator==(const TValue& Other) const { return FData == Other.FData; }

 private:
  explicit TValue(TTexts Texts) : FData(std::move(Texts)) {}
  explicit TValue(TNumbers Numbers) : FData(std::move(Numbers)) {}
  explicit TValue(TTimes Times) : FData(std::move(Times)) {}
  explicit TValue(STATUS Status) : FData(Status) {}

  std::variant<TTexts, TNumbers, TTimes, STATUS> FData;
};

}  // namespace notesrt
