#include "views/ViewSortKey.h"

#include <cstring>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"

namespace notesrt {

namespace {

enum TKeyTag : char { EmptyTag = 1, NumberTag = 2, TimeTag = 3, TextTag = 4 };

// IEEE doubles as unsigned integers in the same order: negative numbers inverted, positive
// ones with the sign bit set.
uint64_t OrderedBits(double Number) {
  if (Number == 0) Number = 0;  // -0 sorts with 0
  uint64_t bits;
  std::memcpy(&bits, &Number, sizeof bits);
  return (bits & (uint64_t{1} << 63)) ? ~bits : bits | (uint64_t{1} << 63);
}

// The Julian day (without the zone byte) before the time of day.
uint64_t OrderedTime(const TIMEDATE& Time) {
  return (uint64_t{Time.Innards[1] & 0x00FFFFFFu} << 32) | Time.Innards[0];
}

}  // namespace

TSortKeys::TSortKeys() {
  UErrorCode error = U_ZERO_ERROR;
  FCollator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), error));
  if (U_FAILURE(error) || !FCollator) throw EStatus(ERR_NOTESRT_INTERNAL);
}

TSortKeys::~TSortKeys() = default;

void TSortKeys::AppendNumber(std::string& Key, uint64_t Number, size_t Bytes) {
  for (size_t byte = Bytes; byte-- > 0;) Key.push_back(static_cast<char>(Number >> (8 * byte)));
}

void TSortKeys::AppendText(std::string& Key, const std::u16string& Text) {
  icu::UnicodeString text(false, Text.data(), static_cast<int32_t>(Text.size()));
  int32_t length = FCollator->getSortKey(text, nullptr, 0);
  std::string bytes(static_cast<size_t>(length), '\0');
  FCollator->getSortKey(text, reinterpret_cast<uint8_t*>(bytes.data()), length);
  // ICU's key ends with its own 0 terminator and holds no other 0: it stays prefix-free.
  Key += bytes;
}

void TSortKeys::Append(std::string& Key, const TValue& Value, bool Descending) {
  size_t start = Key.size();
  if (Value.IsError() || Value.IsNull()) {
    Key.push_back(EmptyTag);
  } else if (Value.Kind() == TValueKind::Number) {
    Key.push_back(NumberTag);
    AppendNumber(Key, OrderedBits(Value.AsNumbers().front()), sizeof(uint64_t));
  } else if (Value.Kind() == TValueKind::Time) {
    Key.push_back(TimeTag);
    AppendNumber(Key, OrderedTime(Value.AsTimes().front().Lower), sizeof(uint64_t));
  } else {
    Key.push_back(TextTag);
    AppendText(Key, Value.AsTexts().front());
  }
  if (Descending)
    for (size_t index = start; index < Key.size(); ++index)
      Key[index] = static_cast<char>(~Key[index]);
}

}  // namespace notesrt
