#include "search/formula/Value.h"

#include <algorithm>
#include <cstring>

#include "notesapi/nsfsearc.h"

namespace notesrt {

bool TTimeEntry::operator==(const TTimeEntry& Other) const {
  auto same = [](const TIMEDATE& a, const TIMEDATE& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  };
  return IsRange == Other.IsRange && same(Lower, Other.Lower) &&
         (!IsRange || same(Upper, Other.Upper));
}

TValue TValue::Texts(TTexts Texts) {
  if (Texts.empty()) return TValue();
  size_t units = 0;
  for (const std::u16string& text : Texts) units += text.size();
  if (Texts.size() > MaxElements || units > MaxTextUnits) return Error(ERR_FORMULA_VALUE_TOO_BIG);
  return TValue(std::move(Texts));
}

TValue TValue::Numbers(TNumbers Numbers) {
  if (Numbers.empty()) return TValue();
  if (Numbers.size() > MaxElements) return Error(ERR_FORMULA_VALUE_TOO_BIG);
  return TValue(std::move(Numbers));
}

TValue TValue::Times(TTimes Times) {
  if (Times.empty()) return TValue();
  if (Times.size() > MaxElements) return Error(ERR_FORMULA_VALUE_TOO_BIG);
  return TValue(std::move(Times));
}

size_t TValue::Size() const {
  return std::visit(
      [](const auto& data) -> size_t {
        if constexpr (std::is_same_v<std::decay_t<decltype(data)>, STATUS>)
          return 1;
        else
          return data.size();
      },
      FData);
}

bool TValue::IsTrue() const {
  if (Kind() != TValueKind::Number) return false;
  const TNumbers& numbers = AsNumbers();
  return std::any_of(numbers.begin(), numbers.end(), [](double n) { return n != 0; });
}

bool TValue::IsNull() const {
  if (Kind() != TValueKind::Text) return false;
  const TTexts& texts = AsTexts();
  return std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t.empty(); });
}

}  // namespace notesrt
