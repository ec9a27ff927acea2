#include "ItemCodec.h"

#include "EStatus.h"
#include "StoredValue.h"
#include "notesapi/nsferr.h"

namespace notesrt {

namespace {

#pragma pack(push, 1)
struct TItemHeader {
  WORD NameLength;
  WORD Flags;
  WORD Type;
  DWORD ValueLength;
  TIMEDATE Changed;
};
#pragma pack(pop)

}  // namespace

std::string EncodeItems(const std::vector<TStoredItem>& Items) {
  size_t size = 0;
  for (const TStoredItem& item : Items)
    size += sizeof(TItemHeader) + item.Name.size() + item.Value.size();
  std::string blob;
  blob.reserve(size);
  for (const TStoredItem& item : Items) {
    TItemHeader header{static_cast<WORD>(item.Name.size()), item.Flags, item.Type,
                       static_cast<DWORD>(item.Value.size()), item.Changed};
    blob.append(BytesOf(header)).append(item.Name).append(item.Value);
  }
  return blob;
}

std::vector<TStoredItem> DecodeItems(std::string_view Blob) {
  std::vector<TStoredItem> items;
  while (!Blob.empty()) {
    if (Blob.size() < sizeof(TItemHeader)) throw EStatus(ERR_INVALID_ITEMUNK);
    auto header = ReadAt<TItemHeader>(Blob, 0);
    Blob.remove_prefix(sizeof header);
    if (Blob.size() < size_t{header.NameLength} + header.ValueLength)
      throw EStatus(ERR_INVALID_ITEMUNK);
    items.push_back(TStoredItem{
        std::string(Blob.substr(0, header.NameLength)), header.Flags, header.Type,
        std::string(Blob.substr(header.NameLength, header.ValueLength)), header.Changed});
    Blob.remove_prefix(size_t{header.NameLength} + header.ValueLength);
  }
  return items;
}

}  // namespace notesrt
