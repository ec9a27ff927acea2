#include "SearchSummary.h"

#include "StoredValue.h"

namespace notesrt {

void TSummaryTable::Add(std::string_view Name, WORD Type, std::string_view Value) {
  std::string typed(reinterpret_cast<const char*>(&Type), sizeof Type);
  typed += Value;
  AddTyped(Name, typed);
}

void TSummaryTable::AddTyped(std::string_view Name, std::string_view TypedValue) {
  size_t grown = HeaderSize + FDescriptors.size() + FData.size() + DescriptorSize + Name.size() +
                 TypedValue.size();
  if (grown > FLimit || Name.size() > 0xFFFF || TypedValue.size() > 0xFFFF) {
    FTruncated = true;
    return;
  }
  auto nameLength = static_cast<USHORT>(Name.size());
  auto valueLength = static_cast<USHORT>(TypedValue.size());
  FDescriptors.append(BytesOf(nameLength)).append(BytesOf(valueLength));
  FData.append(Name).append(TypedValue);
  ++FItems;
}

std::string TSummaryTable::Bytes() const {
  auto length = static_cast<USHORT>(HeaderSize + FDescriptors.size() + FData.size());
  auto items = static_cast<USHORT>(FItems);
  std::string bytes;
  bytes.reserve(length);
  bytes.append(BytesOf(length)).append(BytesOf(items)).append(FDescriptors).append(FData);
  return bytes;
}

bool TSummaryTable::ItemAt(std::string_view Table, size_t Index, std::string_view& Name,
                           std::string_view& TypedValue) {
  auto items = ReadAt<USHORT>(Table, sizeof(USHORT));
  if (Index >= items) return false;
  size_t offset = HeaderSize + size_t{items} * DescriptorSize;
  for (size_t item = 0; item <= Index; ++item) {
    size_t descriptor = HeaderSize + item * DescriptorSize;
    size_t nameLength = ReadAt<USHORT>(Table, descriptor);
    size_t valueLength = ReadAt<USHORT>(Table, descriptor + sizeof(USHORT));
    if (offset + nameLength + valueLength > Table.size()) return false;
    if (item == Index) {
      Name = Table.substr(offset, nameLength);
      TypedValue = Table.substr(offset + nameLength, valueLength);
    }
    offset += nameLength + valueLength;
  }
  return true;
}

}  // namespace notesrt
