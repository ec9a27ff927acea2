#include "ValueToVariant.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "NotesApi.h"
#include "NotesCharset.h"
#include "NotesText.h"
#include "NotesTime.h"

namespace {

template <typename T>
T ReadAt(const uint8_t* Data, size_t Offset) {
  T value;
  std::memcpy(&value, Data + Offset, sizeof(T));
  return value;
}

std::string TextToNative(const uint8_t* Text, size_t Length) {
  return Lmbcs2Native(NotesToString(reinterpret_cast<const char*>(Text), Length));
}

// Entries of a text list that lie wholly inside the value.
int CountWholeTextEntries(const uint8_t* List, size_t Length) {
  if (Length < sizeof(LIST)) return 0;
  const int claimed = ReadAt<USHORT>(List, 0);
  size_t offset = sizeof(LIST) + 2 * static_cast<size_t>(claimed);
  int whole = 0;
  for (; whole < claimed && offset <= Length; ++whole) {
    offset += ReadAt<USHORT>(List, sizeof(LIST) + 2 * whole);
    if (offset > Length) break;
  }
  return whole;
}

void TextListToVariant(const uint8_t* Value, size_t Length, TVariant& Result) {
  const int count = CountWholeTextEntries(Value + sizeof(WORD), Length - sizeof(WORD));
  if (count == 0) return;
  auto entry = [&](int Index) {
    char* text = nullptr;
    WORD textLength = 0;
    if (ListGetText(Value, TRUE, static_cast<WORD>(Index), &text, &textLength) != NOERROR)
      return std::string();
    return TextToNative(reinterpret_cast<const uint8_t*>(text), textLength);
  };
  if (count == 1) {
    Result = TVariant(entry(0));
    return;
  }
  Result = TVariant::CreateArray(0, count - 1, varOleStr);
  for (int i = 0; i < count; ++i) Result.PutElement(i, TVariant(entry(i)));
}

// Number and time ranges: a RANGE header, then the list entries; range pairs are ignored.
template <typename Entry, typename Convert>
void RangeToVariant(const uint8_t* Value, size_t Length, TVarType ElementType, Convert ToVariant,
                    TVariant& Result) {
  const size_t header = sizeof(WORD) + sizeof(RANGE);
  if (Length < header) return;
  const size_t claimed = ReadAt<USHORT>(Value, sizeof(WORD));
  const size_t count = std::min(claimed, (Length - header) / sizeof(Entry));
  if (count == 0) return;
  auto entry = [&](size_t Index) {
    return ToVariant(ReadAt<Entry>(Value, header + Index * sizeof(Entry)));
  };
  if (count == 1) {
    Result = entry(0);
    return;
  }
  Result = TVariant::CreateArray(0, static_cast<int>(count) - 1, ElementType);
  for (size_t i = 0; i < count; ++i) Result.PutElement(static_cast<int>(i), entry(i));
}

TVariant NumberToVariant(NUMBER Number) {
  return TVariant(Number);
}
TVariant TimeToVariant(TIMEDATE Time) {
  return TVariant::FromDate(NotesToDateTime(Time));
}

}  // namespace

void ValueToVariant(const void* Value, size_t Length, TVariant& Result) {
  Result = TVariant::Null();
  if (Value == nullptr || Length < sizeof(WORD)) {
    Result = TVariant();
    return;
  }
  const auto* data = static_cast<const uint8_t*>(Value);
  const size_t valueLength = Length - sizeof(WORD);
  switch (ReadAt<WORD>(data, 0)) {
    case TYPE_TEXT:
      Result = TVariant(TextToNative(data + sizeof(WORD), valueLength));
      break;
    case TYPE_TEXT_LIST:
      TextListToVariant(data, Length, Result);
      break;
    case TYPE_NUMBER:
      if (valueLength >= sizeof(NUMBER)) Result = NumberToVariant(ReadAt<NUMBER>(data, 2));
      break;
    case TYPE_NUMBER_RANGE:
      RangeToVariant<NUMBER>(data, Length, varDouble, NumberToVariant, Result);
      break;
    case TYPE_TIME:
      if (valueLength >= sizeof(TIMEDATE)) Result = TimeToVariant(ReadAt<TIMEDATE>(data, 2));
      break;
    case TYPE_TIME_RANGE:
      RangeToVariant<TIMEDATE>(data, Length, varDate, TimeToVariant, Result);
      break;
    default:
      Result = TVariant();
  }
}
