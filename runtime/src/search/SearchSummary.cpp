#include "search/SearchSummary.h"

#include <algorithm>
#include <array>

#include "storage/StoredValue.h"

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
  auto length = static_cast<USHORT>(HeaderSize + FDescriptors.size() + FData.size());
  auto items = static_cast<USHORT>(FItems);
  std::string bytes;
  bytes.reserve(length);
  bytes.append(BytesOf(length)).append(BytesOf(items)).append(FDescriptors).append(FData);
  return bytes;
}

bool TSummaryTable::WriteItems(const std::vector<TItemView>& Items, size_t Limit,
                               std::string& Out) {
  // The same choice twice: first to size the table, then to fill it.
  auto choose = [&](auto&& Take) {
    size_t used = HeaderSize;
    for (const TItemView& item : Items) {
      size_t value = sizeof item.Type + item.Value.size();
      size_t grown = used + DescriptorSize + item.Name.size() + value;
      if (grown > Limit || item.Name.size() > 0xFFFF || value > 0xFFFF) continue;
      used = grown;
      Take(item, value);
    }
    return used;
  };
  size_t count = 0;
  size_t length = choose([&](const TItemView&, size_t) { ++count; });
  Out.resize(length);
  char* descriptor = Out.data() + HeaderSize;
  char* data = descriptor + count * DescriptorSize;
  choose([&](const TItemView& Item, size_t Value) {
    auto lengths = std::array{static_cast<USHORT>(Item.Name.size()), static_cast<USHORT>(Value)};
    descriptor =
        std::copy_n(reinterpret_cast<const char*>(lengths.data()), sizeof lengths, descriptor);
    data = std::copy(Item.Name.begin(), Item.Name.end(), data);
    data = std::copy_n(reinterpret_cast<const char*>(&Item.Type), sizeof Item.Type, data);
    data = std::copy(Item.Value.begin(), Item.Value.end(), data);
  });
  auto header = std::array{static_cast<USHORT>(length), static_cast<USHORT>(count)};
  std::copy_n(reinterpret_cast<const char*>(header.data()), sizeof header, Out.data());
  return count < Items.size();
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
