#include "TNotesItem.h"

#include <cstring>

#include "ELotusNotes.h"
#include "HugeNSFItemAppend.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesLock.h"
#include "NotesTime.h"
#include "TLiveItems.h"
#include "TNotesDocument.h"

// An object joins the note's live items once nothing in its constructor can fail any more.
TNotesItem::TNotesItem(TNotesDocument& Document, std::string Name)
    : FDocument(Document),
      FLiveItems(Document.LiveItems()),
      FName(std::move(Name)),
      FLmbcsName(Native2Lmbcs(FName)) {
  if (FLmbcsName.size() > MAXWORD) throw ELotusNotes(-1, "Item name too long: " + FName);
  FLiveItems->Add(this);
}

TNotesItem::TNotesItem(const TNotesItem& Previous, TNextItem)
    : FDocument(Previous.FDocument),
      FLiveItems(Previous.FLiveItems),
      FName(Previous.FName),
      FLmbcsName(Previous.FLmbcsName),
      FItemFlags(Previous.FItemFlags),
      FIndex(Previous.FIndex + 1) {
  InitItemInfo(Previous.FItemBID);
  FLoaded = true;
  FLiveItems->Add(this);
}

TNotesItem::~TNotesItem() {
  FLiveItems->Remove(this);
}

std::unique_ptr<TNotesItem> TNotesItem::Create(TNotesDocument& Document, const std::string& Name) {
  std::unique_ptr<TNotesItem> item(new TNotesItem(Document, Name));
  item->Reload();
  if (!item->FLoaded) CheckNotesStatus(ERR_ITEM_NOT_FOUND);
  return item;
}

std::unique_ptr<TNotesItem> TNotesItem::CreateNew(TNotesDocument& Document,
                                                  const std::string& Name) {
  std::unique_ptr<TNotesItem> item(new TNotesItem(Document, Name));
  item->FItemFlags = ITEM_SUMMARY;
  return item;
}

NOTEHANDLE TNotesItem::NoteHandle() const {
  return FDocument.NoteHandle();
}

namespace {

bool SameBlock(const BLOCKID& A, const BLOCKID& B) {
  return A.pool == B.pool && A.block == B.block;
}

}  // namespace

void TNotesItem::StoreDescriptor(BLOCKID ItemBID, WORD DataType, BLOCKID ValueBID,
                                 DWORD ValueLength) {
  // Lines read from a value that has since been replaced would be handed out as if current.
  const bool replaced = !SameBlock(FItemBID, ItemBID) || !SameBlock(FValueBID, ValueBID) ||
                        FDataType != DataType || FValueLength != ValueLength;
  if (replaced && FLines) FLines->Clear();
  FItemBID = ItemBID;
  FDataType = DataType;
  FValueBID = ValueBID;
  FValueLength = ValueLength;
  WORD flags = 0;
  NSFItemQuery(NoteHandle(), FItemBID, nullptr, 0, nullptr, &flags, nullptr, nullptr, nullptr);
  FItemFlags = flags;
}

void TNotesItem::InitItemInfo(BLOCKID PrevItemBID) {
  BLOCKID itemBID{}, valueBID{};
  WORD dataType = 0;
  DWORD valueLength = 0;
  if (ISNULLBLOCKID(PrevItemBID))
    CheckNotesStatus(NSFItemInfo(NoteHandle(), FLmbcsName.data(), LmbcsNameLength(), &itemBID,
                                 &dataType, &valueBID, &valueLength));
  else
    CheckNotesStatus(NSFItemInfoNext(NoteHandle(), PrevItemBID, FLmbcsName.data(),
                                     LmbcsNameLength(), &itemBID, &dataType, &valueBID,
                                     &valueLength));
  StoreDescriptor(itemBID, dataType, valueBID, valueLength);
}

void TNotesItem::SetCreated() {
  FIndex = 0;
  FDocument.ItemsChanged();
}

void TNotesItem::Reload() {
  BLOCKID itemBID{}, valueBID{};
  WORD dataType = 0;
  DWORD valueLength = 0;
  STATUS status = NSFItemInfo(NoteHandle(), FLmbcsName.data(), LmbcsNameLength(), &itemBID,
                              &dataType, &valueBID, &valueLength);
  for (int step = 0; status == NOERROR && step < FIndex; ++step)
    status = NSFItemInfoNext(NoteHandle(), itemBID, FLmbcsName.data(), LmbcsNameLength(), &itemBID,
                             &dataType, &valueBID, &valueLength);
  FLoaded = status == NOERROR;
  if (FLoaded) {
    StoreDescriptor(itemBID, dataType, valueBID, valueLength);
    return;
  }
  FItemBID = FValueBID = BLOCKID{};
  FDataType = 0;
  FValueLength = 0;
  if (FLines) FLines->Clear();
  if (ERR(status) != ERR_ITEM_NOT_FOUND) CheckNotesStatus(status);
}

void TNotesItem::SetItemFlags(WORD Flags, bool Value) {
  FItemFlags = Value ? (FItemFlags | Flags) : (FItemFlags & ~Flags);
}

std::vector<char> TNotesItem::GetValueBuffer() const {
  if (!FLoaded) return {};
  TNotesLock lock(FValueBID);
  if (lock.Data() == nullptr) return {};
  return std::vector<char>(lock.Data(), lock.Data() + FValueLength);
}

void TNotesItem::DeleteAllItems(NOTEHANDLE Note, const std::string& LmbcsName) {
  STATUS status;
  while ((status = NSFItemDelete(Note, LmbcsName.data(), static_cast<WORD>(LmbcsName.size()))) ==
         NOERROR) {
  }
  if (ERR(status) != ERR_ITEM_NOT_FOUND) CheckNotesStatus(status);
}

void TNotesItem::SetValueBuffer(WORD DataType, WORD Flags, const void* Buffer, DWORD Length) {
  DeleteAllItems();
  if (DataType == TYPE_TEXT)
    HugeNSFTextAppend(NoteHandle(), Flags, FLmbcsName.data(), LmbcsNameLength(),
                      static_cast<const char*>(Buffer), Length);
  else
    HugeNSFItemAppend(NoteHandle(), Flags, FLmbcsName.data(), LmbcsNameLength(), DataType, Buffer,
                      Length);
  SetCreated();
}

void TNotesItem::ReplaceWithValue(WORD DataType, WORD Flags, const std::vector<char>& Value) {
  if (Value.size() > MAXWORD)
    throw ELotusNotes(-1, "The value is too long to be stored in the item " + FName);
  DeleteAllItems();
  CheckNotesStatus(NSFItemAppend(NoteHandle(), Flags, FLmbcsName.data(), LmbcsNameLength(),
                                 DataType, Value.data(), static_cast<DWORD>(Value.size())));
  SetCreated();
}

TDateTime TNotesItem::GetLastModifed() const {
  TIMEDATE modified{};
  CheckNotesStatus(
      NSFItemGetModifiedTime(NoteHandle(), FLmbcsName.data(), LmbcsNameLength(), 0, &modified));
  return NotesToDateTime(modified);
}

bool TNotesItem::NextItemExists() const {
  if (!FLoaded) return false;
  return NSFItemInfoNext(NoteHandle(), FItemBID, FLmbcsName.data(), LmbcsNameLength(), nullptr,
                         nullptr, nullptr, nullptr) == NOERROR;
}

bool TNotesItem::LoadNextItem() {
  if (!NextItemExists()) return false;
  InitItemInfo(FItemBID);
  ++FIndex;
  return true;
}

std::unique_ptr<TNotesItem> TNotesItem::CreateNextItem() const {
  if (!NextItemExists()) return nullptr;
  return std::unique_ptr<TNotesItem>(new TNotesItem(*this, TNextItem{}));
}

TStringList& TNotesItem::Lines() {
  if (!FLines) FLines = std::make_unique<TStringList>();
  return *FLines;
}
