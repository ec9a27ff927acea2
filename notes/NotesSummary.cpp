#include "NotesSummary.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "NotesApi.h"
#include "NotesCharset.h"
#include "ValueToVariant.h"

namespace {

// The table header and each item descriptor are two WORDs (ODS types 18 and 17).
constexpr size_t HeaderSize = 2 * sizeof(WORD);
constexpr size_t DescriptorSize = 2 * sizeof(WORD);

WORD WordAt(const uint8_t* Data, size_t Offset) {
  WORD value;
  std::memcpy(&value, Data + Offset, sizeof(value));
  return value;
}

// Text keeps what was built when a conversion fails part way.
void AppendValueText(const TVariant& Value, std::string& Text) {
  if (!Value.IsArray()) {
    Text = Value.AsString();
    return;
  }
  for (int i = Value.LowBound(); i <= Value.HighBound(); ++i)
    Text += Value.GetElement(i).AsString() + ";";
}

}  // namespace

size_t SummarySize(const void* Buffer, size_t Size) {
  if (Buffer == nullptr || Size < HeaderSize) return 0;
  return WordAt(static_cast<const uint8_t*>(Buffer), 0);
}

size_t DecodeSummary(const void* Buffer, size_t Size, const TSummaryItemProc& ItemProc) {
  const size_t total = SummarySize(Buffer, Size);
  if (total == 0) return 0;
  const auto* data = static_cast<const uint8_t*>(Buffer);
  const size_t count = WordAt(data, sizeof(WORD));
  const size_t limit = std::min(total, Size);
  size_t position = HeaderSize + count * DescriptorSize;
  for (size_t i = 0; i < count && position <= limit; ++i) {
    const size_t descriptor = HeaderSize + i * DescriptorSize;
    const size_t nameLength = WordAt(data, descriptor);
    const size_t valueLength = WordAt(data, descriptor + sizeof(WORD));
    if (position + nameLength + valueLength > limit) break;
    const std::string name(reinterpret_cast<const char*>(data + position), nameLength);
    TVariant value;
    ValueToVariant(data + position + nameLength, valueLength, value);
    ItemProc(Lmbcs2Native(name), value);
    position += nameLength + valueLength;
  }
  return total;
}

void AppendSummaryText(const std::string& Name, const TVariant& Value, std::string& Text) {
  std::string valueText;
  if (!Value.IsNull() && !Value.IsEmpty()) {
    try {
      AppendValueText(Value, valueText);
    } catch (const EVariantError&) {
      // A value without a text form adds nothing, as Notes shows nothing for it.
    }
  }
  Text += "\r\n" + Name + "=" + valueText;
}
