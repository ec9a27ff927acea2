#include "SearchSummary.h"

#include "StoredValue.h"

namespace notesrt {

void TSummaryTable::Add(std::string_view Name, WORD Type, std::string_view Value) {
  if (Fits(Name.size(), sizeof Type + Value.size()))
    FData.append(Name).append(BytesOf(Type)).append(Value);
}

void TSummaryTable::AddTyped(std::string_view Name, std::string_view TypedValue) {
  if (Fits(Name.size(), TypedValue.size())) FData.append(Name).append(TypedValue);
}

// Adds the item's descriptor when the item fits; else marks the table cut.
bool TSummaryTable::Fits(size_t NameLength, size_t ValueLength) {
  size_t grown =
      HeaderSize + FDescriptors.size() + FData.size() + DescriptorSize + NameLength + ValueLength;
  if (grown > FLimit || NameLength > 0xFFFF || ValueLength > 0xFFFF) {
    FTruncated = true;
    return false;
  }
  auto name = static_cast<USHORT>(NameLength);
  auto value = static_cast<USHORT>(ValueLength);
  FDescriptors.append(BytesOf(name)).append(BytesOf(value));
  ++FItems;
  return true;
}

std::string TSummaryTable::Bytes() const {
  std::string bytes;
  Write(bytes);
  return bytes;
}

void TSummaryTable::Write(std::string& Out) const {
  auto length = static_cast<USHORT>(HeaderSize + FDescriptors.size() + FData.size());
  auto items = static_cast<USHORT>(FItems);
  Out.clear();
  Out.append(BytesOf(length)).append(BytesOf(items)).append(FDescriptors).append(FData);
}

void TSummaryTable::Clear() {
  FItems = 0;
  FTruncated = false;
  FDescriptors.clear();
  FData.clear();
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
