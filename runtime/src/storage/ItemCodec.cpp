#include "storage/ItemCodec.h"

#include "core/EStatus.h"
#include "notesapi/nsferr.h"
#include "storage/StoredValue.h"

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

template <class TVisit>
void ForEachItem(std::string_view Blob, TVisit&& Visit) {
  while (!Blob.empty()) {
    if (Blob.size() < sizeof(TItemHeader)) throw EStatus(ERR_INVALID_ITEMUNK);
    auto header = ReadAt<TItemHeader>(Blob, 0);
    Blob.remove_prefix(sizeof header);
    if (Blob.size() < size_t{header.NameLength} + header.ValueLength)
      throw EStatus(ERR_INVALID_ITEMUNK);
    Visit(header, Blob.substr(0, header.NameLength),
          Blob.substr(header.NameLength, header.ValueLength));
    Blob.remove_prefix(size_t{header.NameLength} + header.ValueLength);
  }
}

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

void DecodeItemViews(std::string_view Blob, std::vector<TItemView>& Items) {
  Items.clear();
  // Most notes have fewer items than this: one allocation instead of one per doubling.
  constexpr size_t UsualItems = 16;
  Items.reserve(UsualItems);
  ForEachItem(Blob,
              [&Items](const TItemHeader& Header, std::string_view Name, std::string_view Value) {
                Items.push_back(TItemView{Name, Header.Flags, Header.Type, Value, Header.Changed});
              });
}

}  // namespace notesrt
