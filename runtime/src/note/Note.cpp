#include "note/Note.h"

#include <algorithm>

#include "core/EStatus.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "note/ItemName.h"
#include "storage/DbAccess.h"
#include "storage/DbHandle.h"
#include "storage/StoredValue.h"

namespace notesrt {

namespace {

// Notes the runtime makes for itself (design, folders, routed mail) have no handle: the
// runtime acts as the server.
std::shared_ptr<const IDbAccess> AccessOf(DBHANDLE DbHandle) {
  return DbHandle ? TDbHandle::AccessOf(DbHandle) : nullptr;
}

constexpr size_t MaxPlainValue = 65535;
// Object type word and object ID.
constexpr size_t ObjectDescriptorSize = sizeof(WORD) + sizeof(DWORD);

// Removes a handle from the table unless the table has already let it go (NotesTerm).
void FreeBlock(DHANDLE Handle) {
  if (Handle != NULLHANDLE) THandleTable::Instance().Remove(Handle, TMemoryBlock::KindId);
}

DHANDLE BlockWith(std::string_view Bytes) {
  DHANDLE handle = TMemoryBlock::Allocate(std::max<size_t>(Bytes.size(), 1), true);
  std::copy(Bytes.begin(), Bytes.end(), THandleTable::Instance().Get<TMemoryBlock>(handle).Data());
  return handle;
}

bool Matches(const TNoteItem& Item, const std::optional<std::string_view>& Name) {
  return !Name || SameItemName(Item.Name, *Name);
}

}  // namespace

TNote::TNote(std::shared_ptr<TDatabase> Database, DBHANDLE DbHandle, TNoteHeader Header)
    : FDatabase(std::move(Database)),
      FDbHandle(DbHandle),
      FAccess(AccessOf(DbHandle)),
      FHeader(std::move(Header)) {}

TNote::~TNote() {
  for (const TNoteItem& item : FItems) {
    FreeBlock(item.ItemBlock);
    FreeBlock(item.ValueBlock);
  }
  for (DHANDLE handle : FRetired) FreeBlock(handle);
}

void TNote::Retarget(DBHANDLE DbHandle, std::shared_ptr<TDatabase> Database) {
  FAccess = AccessOf(DbHandle);
  FDbHandle = DbHandle;
  FDatabase = std::move(Database);
}

TNoteItem& TNote::Append(std::string_view Name, WORD Flags, WORD Type, std::string_view Value,
                         const TIMEDATE& Changed) {
  return Add(Name, Flags, Type, Value, Changed, true);
}

// Without Copy, Value lies in FStored and is read there until the item changes.
TNoteItem& TNote::Add(std::string_view Name, WORD Flags, WORD Type, std::string_view Value,
                      const TIMEDATE& Changed, bool Copy) {
  if (Type != TYPE_COMPOSITE && Value.size() > MaxPlainValue) throw EStatus(ERR_NOTESRT_TOO_BIG);
  // Made in place (an open note appends every item it has); a failure takes it out again, so
  // that no half-made item stays behind.
  TNoteItem& item = FItems.emplace_back();
  try {
    item.Name = Name;
    if (Copy) {
      item.Value.reserve(sizeof(WORD) + Value.size());
      item.Value.append(BytesOf(Type)).append(Value);
    } else {
      item.Loaded = Value;
    }
    // Stored attachments are found through the object ID their descriptor carries.
    if (Type == TYPE_OBJECT && Value.size() >= ObjectDescriptorSize)
      item.Object = TObjectRef{FDatabase, ReadAt<DWORD>(Value, sizeof(WORD)), nullptr};
  } catch (...) {
    FItems.pop_back();
    throw;
  }
  item.Flags = Flags;
  item.Type = Type;
  item.Changed = Changed;
  item.Serial = ++FLastSerial;
  return item;
}

void TNote::Load(const std::vector<TStoredItem>& Items) {
  for (const TStoredItem& item : Items)
    Append(item.Name, item.Flags, item.Type, item.Value, item.Changed);
}

void TNote::Load(std::string&& Stored, const std::vector<TItemView>& Items) {
  // The views point into Stored; the same offsets point into the note's own copy.
  const char* const from = Stored.data();
  FStored = std::move(Stored);
  for (const TItemView& item : Items) {
    const auto offset = static_cast<size_t>(item.Value.data() - from);
    Add(item.Name, item.Flags, item.Type,
        std::string_view(FStored).substr(offset, item.Value.size()), item.Changed, false);
  }
}

TNoteItem* TNote::Find(const std::optional<std::string_view>& Name) {
  for (TNoteItem& item : FItems)
    if (Matches(item, Name)) return &item;
  return nullptr;
}

TNoteItem* TNote::FindNext(const BLOCKID& After, const std::optional<std::string_view>& Name) {
  if (After.block != 0) return nullptr;
  DHANDLE pool = After.pool;  // BLOCKID is packed: no reference to its field
  auto found = FByBlock.find(pool);
  if (found == FByBlock.end()) return nullptr;
  for (auto next = std::next(found->second); next != FItems.end(); ++next)
    if (Matches(*next, Name)) return &*next;
  return nullptr;
}

TNoteItem* TNote::FindByBlock(const BLOCKID& Item) {
  if (Item.block != 0) return nullptr;
  DHANDLE pool = Item.pool;
  auto found = FByBlock.find(pool);
  return found == FByBlock.end() ? nullptr : &*found->second;
}

bool TNote::DeleteAll(std::string_view Name) {
  bool deleted = false;
  for (auto item = FItems.begin(); item != FItems.end();) {
    auto next = std::next(item);
    if (SameItemName(item->Name, Name)) {
      Retire(item);
      deleted = true;
    }
    item = next;
  }
  return deleted;
}

void TNote::Delete(const TNoteItem& Item) {
  auto position = PositionOf(Item);
  if (position != FItems.end()) Retire(position);
}

TNote::TItems::iterator TNote::PositionOf(const TNoteItem& Item) {
  return std::find_if(FItems.begin(), FItems.end(),
                      [&](const TNoteItem& Candidate) { return &Candidate == &Item; });
}

BLOCKID TNote::ItemBlockOf(TNoteItem& Item) {
  if (Item.ItemBlock == NULLHANDLE) {
    auto position = PositionOf(Item);
    if (position == FItems.end()) return BLOCKID{};
    Item.ItemBlock = BlockWith(Item.Name);
    FByBlock[Item.ItemBlock] = position;
  }
  return BLOCKID{Item.ItemBlock, NULLBLOCK};
}

BLOCKID TNote::ValueBlockOf(TNoteItem& Item) {
  if (Item.ValueBlock == NULLHANDLE) {
    Item.ValueBlock = BlockWith(ValueOf(Item));
    std::string().swap(Item.Value);
  }
  return BLOCKID{Item.ValueBlock, NULLBLOCK};
}

bool TNote::Holds(const TNoteItem* Item, uint64_t Serial) const {
  return std::any_of(FItems.begin(), FItems.end(), [&](const TNoteItem& Candidate) {
    return &Candidate == Item && Candidate.Serial == Serial;
  });
}

void TNote::Adopt(DHANDLE Block) {
  THandleTable::Instance().Get<TMemoryBlock>(Block).SetRuntimeOwned(true);
  FRetired.push_back(Block);
}

void TNote::Retire(TItems::iterator Item) {
  if (Item->ItemBlock != NULLHANDLE) FRetired.push_back(Item->ItemBlock);
  if (Item->ValueBlock != NULLHANDLE) FRetired.push_back(Item->ValueBlock);
  FByBlock.erase(Item->ItemBlock);
  FItems.erase(Item);
  ++FRemovals;
}

void TNote::Own(TNoteItem& Item) {
  if (Item.ValueBlock != NULLHANDLE || !Item.Value.empty()) return;  // a value is never empty
  Item.Value.reserve(sizeof(WORD) + Item.Loaded.size());
  Item.Value.append(BytesOf(Item.Type)).append(Item.Loaded);
  Item.Loaded = {};
}

std::string_view TNote::OwnValueOf(const TNoteItem& Item) {
  if (Item.ValueBlock == NULLHANDLE) return Item.Value;
  TMemoryBlock& block = THandleTable::Instance().Get<TMemoryBlock>(Item.ValueBlock);
  return std::string_view(block.Data(), block.Size());
}

std::string_view TNote::ValueOf(TNoteItem& Item) {
  Own(Item);
  return OwnValueOf(Item);
}

char* TNote::WritableValue(TNoteItem& Item) {
  Own(Item);
  if (Item.ValueBlock == NULLHANDLE) return Item.Value.data();
  return THandleTable::Instance().Get<TMemoryBlock>(Item.ValueBlock).Data();
}

std::string_view TNote::DataOf(const TNoteItem& Item) {
  if (Item.ValueBlock == NULLHANDLE && Item.Value.empty()) return Item.Loaded;
  const std::string_view value = OwnValueOf(Item);
  return value.substr(std::min(value.size(), sizeof(WORD)));
}

}  // namespace notesrt
