#include "search/formula/ItemLayout.h"

#include <algorithm>

#include "notesapi/nsfsearc.h"
#include "search/formula/FormulaText.h"
#include "storage/StoredValue.h"

namespace notesrt {

namespace {

constexpr size_t MaxLayout = 0xFFFF;

TValue Damaged() {
  return TValue::Error(ERR_FORMULA_DAMAGED_VALUE);
}

TValue TextList(std::string_view Bytes) {
  auto count = ReadAt<WORD>(Bytes, 0);
  size_t offset = sizeof(LIST) + size_t{count} * sizeof(WORD);
  if (Bytes.size() < offset) return Damaged();
  TValue::TTexts texts;
  for (size_t entry = 0; entry < count; ++entry) {
    auto length = ReadAt<WORD>(Bytes, sizeof(LIST) + entry * sizeof(WORD));
    if (Bytes.size() - offset < length) return Damaged();
    texts.push_back(TextOfItem(Bytes.substr(offset, length)));
    offset += length;
  }
  return TValue::Texts(std::move(texts));
}

// Count entries of T after a header of HeaderSize, then Pairs pairs of T the caller may want.
template <class T>
bool Fits(std::string_view Bytes, size_t HeaderSize, size_t Count, size_t Pairs) {
  return Bytes.size() >= HeaderSize + (Count + 2 * Pairs) * sizeof(T);
}

TValue NumberRange(std::string_view Bytes) {
  auto count = ReadAt<WORD>(Bytes, 0);
  if (!Fits<NUMBER>(Bytes, sizeof(RANGE), count, 0)) return Damaged();
  TValue::TNumbers numbers;
  for (size_t entry = 0; entry < count; ++entry)
    numbers.push_back(ReadAt<NUMBER>(Bytes, sizeof(RANGE) + entry * sizeof(NUMBER)));
  return TValue::Numbers(std::move(numbers));
}

TValue TimeRange(std::string_view Bytes) {
  auto count = ReadAt<WORD>(Bytes, 0);
  auto pairs = ReadAt<WORD>(Bytes, sizeof(WORD));
  if (!Fits<TIMEDATE>(Bytes, sizeof(RANGE), count, pairs)) return Damaged();
  TValue::TTimes times;
  size_t offset = sizeof(RANGE);
  for (size_t entry = 0; entry < count; ++entry, offset += sizeof(TIMEDATE))
    times.push_back(TTimeEntry{ReadAt<TIMEDATE>(Bytes, offset), {}, false});
  for (size_t pair = 0; pair < pairs; ++pair, offset += sizeof(TIMEDATE_PAIR)) {
    auto range = ReadAt<TIMEDATE_PAIR>(Bytes, offset);
    times.push_back(TTimeEntry{range.Lower, range.Upper, true});
  }
  return TValue::Times(std::move(times));
}

template <class T>
void Append(std::string& Bytes, const T& Value) {
  Bytes.append(reinterpret_cast<const char*>(&Value), sizeof Value);
}

void TextLayout(const TValue::TTexts& Texts, TItemValue& Item) {
  if (Texts.size() == 1) {
    Item.Type = TYPE_TEXT;
    Item.Bytes = ItemOfText(Texts[0]);
    return;
  }
  Item.Type = TYPE_TEXT_LIST;
  std::string lengths;
  std::string data;
  Append(lengths, static_cast<WORD>(Texts.size()));
  for (const std::u16string& text : Texts) {
    std::string bytes = ItemOfText(text);
    // An entry too long for its WORD makes the whole too long, which the caller refuses.
    Append(lengths, static_cast<WORD>(std::min(bytes.size(), MaxLayout)));
    data += bytes;
  }
  Item.Bytes = lengths + data;
}

void NumberLayout(const TValue::TNumbers& Numbers, TItemValue& Item) {
  Item.Bytes.clear();
  if (Numbers.size() == 1) {
    Item.Type = TYPE_NUMBER;
    Append(Item.Bytes, Numbers[0]);
    return;
  }
  Item.Type = TYPE_NUMBER_RANGE;
  Append(Item.Bytes, RANGE{static_cast<USHORT>(Numbers.size()), 0});
  for (double number : Numbers) Append(Item.Bytes, number);
}

void TimeLayout(const TValue::TTimes& Times, TItemValue& Item) {
  Item.Bytes.clear();
  if (Times.size() == 1 && !Times[0].IsRange) {
    Item.Type = TYPE_TIME;
    Append(Item.Bytes, Times[0].Lower);
    return;
  }
  Item.Type = TYPE_TIME_RANGE;
  std::string moments;
  std::string ranges;
  RANGE header{0, 0};
  for (const TTimeEntry& time : Times) {
    if (time.IsRange) {
      Append(ranges, TIMEDATE_PAIR{time.Lower, time.Upper});
      ++header.RangeEntries;
    } else {
      Append(moments, time.Lower);
      ++header.ListEntries;
    }
  }
  Append(Item.Bytes, header);
  Item.Bytes += moments + ranges;
}

}  // namespace

TValue ValueOfItem(const TItemValue& Item) {
  std::string_view bytes = Item.Bytes;
  switch (Item.Type) {
    case TYPE_TEXT:
      return TValue::Text(TextOfItem(bytes));
    case TYPE_TEXT_LIST:
      return TextList(bytes);
    case TYPE_NUMBER:
      return bytes.size() < sizeof(NUMBER) ? Damaged() : TValue::Number(ReadAt<NUMBER>(bytes, 0));
    case TYPE_NUMBER_RANGE:
      return NumberRange(bytes);
    case TYPE_TIME:
      return bytes.size() < sizeof(TIMEDATE) ? Damaged() : TValue::Time(ReadAt<TIMEDATE>(bytes, 0));
    case TYPE_TIME_RANGE:
      return TimeRange(bytes);
    case TYPE_ERROR:
      return TValue::Error(ERR_FORMULA_USER_ERROR);
    default:
      return TValue();
  }
}

STATUS ItemOfValue(const TValue& Value, TItemValue& Item) {
  switch (Value.Kind()) {
    case TValueKind::Error:
      return Value.ErrorStatus();
    case TValueKind::Text:
      TextLayout(Value.AsTexts(), Item);
      break;
    case TValueKind::Number:
      NumberLayout(Value.AsNumbers(), Item);
      break;
    case TValueKind::Time:
      TimeLayout(Value.AsTimes(), Item);
      break;
  }
  return Item.Bytes.size() + sizeof(WORD) > MaxLayout ? ERR_FORMULA_RESULT_TOO_BIG : NOERROR;
}

}  // namespace notesrt
