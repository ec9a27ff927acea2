// Items of an open note: append, delete, find, walk, scan.
#include <vector>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "note/ItemAppend.h"
#include "note/ItemArgs.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "text/BufferText.h"

using notesrt::NoteOf;
using notesrt::TNote;
using notesrt::TNoteItem;

namespace {

void Clear(BLOCKID* ItemBid, WORD* Type, BLOCKID* ValueBid, DWORD* Length) {
  notesrt::SetIfGiven(ItemBid, BLOCKID{});
  notesrt::SetIfGiven(Type, WORD{TYPE_INVALID_OR_UNKNOWN});
  notesrt::SetIfGiven(ValueBid, BLOCKID{});
  notesrt::SetIfGiven(Length, DWORD{0});
}

// Blocks are made only for the BLOCKIDs the caller asks for.
void Describe(TNote& Note, TNoteItem& Item, BLOCKID* ItemBid, WORD* Type, BLOCKID* ValueBid,
              DWORD* Length) {
  if (ItemBid) *ItemBid = Note.ItemBlockOf(Item);
  notesrt::SetIfGiven(Type, Item.Type);
  if (ValueBid) *ValueBid = Note.ValueBlockOf(Item);
  notesrt::SetIfGiven(Length, static_cast<DWORD>(sizeof(WORD) + TNote::DataOf(Item).size()));
}

}  // namespace

// Appends after the items already there, also after items of the same name. Rich text cannot be
// summary data, so its ITEM_SUMMARY is dropped as published.
STATUS LNPUBLIC NSFItemAppend(NOTEHANDLE note_handle, WORD item_flags, const char* item_name,
                              WORD name_len, WORD item_type, const void* item_value,
                              DWORD value_len) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    std::optional<std::string_view> name = notesrt::ItemNameArg(item_name, name_len);
    if (!name || name->empty() || (!item_value && value_len > 0)) return ERR_MISC_INVALID_ARGS;
    if (item_type == TYPE_COMPOSITE) item_flags &= ~ITEM_SUMMARY;
    std::string_view value(static_cast<const char*>(item_value), item_value ? value_len : 0);
    notesrt::AppendItem(note, *name, item_flags, item_type, value);
    return NOERROR;
  });
}

// Every item of the name goes, so that no continuation item of an old value survives.
STATUS LNPUBLIC NSFItemDelete(NOTEHANDLE note_handle, const char* item_name, WORD name_len) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    std::optional<std::string_view> name = notesrt::ItemNameArg(item_name, name_len);
    if (!name) return ERR_MISC_INVALID_ARGS;
    return note.DeleteAll(*name) ? NOERROR : ERR_ITEM_NOT_FOUND;
  });
}

// Only the item named: a writer takes back its own items and leaves the others of the name.
STATUS LNPUBLIC NSFItemDeleteByBLOCKID(NOTEHANDLE note_handle, BLOCKID item_blockid) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    TNoteItem* item = note.FindByBlock(item_blockid);
    if (!item) return ERR_ITEM_NOT_FOUND;
    note.Delete(*item);
    return NOERROR;
  });
}

void LNPUBLIC NotesRTFailItemAppend(DWORD AppendsBefore, STATUS Failure) {
  notesrt::ApiVoidCall([&] { notesrt::FailItemAppend(AppendsBefore, Failure); });
}

STATUS LNPUBLIC NSFItemInfo(NOTEHANDLE note_handle, const char* item_name, WORD name_len,
                            BLOCKID* item_blockid, WORD* value_datatype, BLOCKID* value_blockid,
                            DWORD* value_len) {
  Clear(item_blockid, value_datatype, value_blockid, value_len);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    TNoteItem* item = note.Find(notesrt::ItemNameArg(item_name, name_len));
    if (!item) return ERR_ITEM_NOT_FOUND;
    Describe(note, *item, item_blockid, value_datatype, value_blockid, value_len);
    return NOERROR;
  });
}

// A null or stale previous item ends the walk: starting over would loop.
STATUS LNPUBLIC NSFItemInfoNext(NOTEHANDLE note_handle, BLOCKID NextItem, const char* item_name,
                                WORD name_len, BLOCKID* item_blockid_ptr, WORD* value_type_ptr,
                                BLOCKID* value_blockid_ptr, DWORD* value_len_ptr) {
  Clear(item_blockid_ptr, value_type_ptr, value_blockid_ptr, value_len_ptr);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    TNoteItem* item = note.FindNext(NextItem, notesrt::ItemNameArg(item_name, name_len));
    if (!item) return ERR_ITEM_NOT_FOUND;
    Describe(note, *item, item_blockid_ptr, value_type_ptr, value_blockid_ptr, value_len_ptr);
    return NOERROR;
  });
}

// A bad item BLOCKID leaves every output empty.
void LNPUBLIC NSFItemQuery(NOTEHANDLE note_handle, BLOCKID item_bid, char* item_name,
                           WORD return_buf_len, WORD* name_len_ptr, WORD* item_flags_ptr,
                           WORD* value_datatype_ptr, BLOCKID* value_bid_ptr, DWORD* value_len_ptr) {
  notesrt::CopyToBuffer("", item_name, return_buf_len);
  notesrt::SetIfGiven(name_len_ptr, WORD{0});
  notesrt::SetIfGiven(item_flags_ptr, WORD{0});
  Clear(nullptr, value_datatype_ptr, value_bid_ptr, value_len_ptr);
  notesrt::ApiVoidCall([&] {
    TNote* note = notesrt::THandleTable::Instance().Find<TNote>(note_handle);
    TNoteItem* item = note ? note->FindByBlock(item_bid) : nullptr;
    if (!item) return;
    size_t length = notesrt::CopyToBuffer(item->Name, item_name, return_buf_len);
    notesrt::SetIfGiven(name_len_ptr, static_cast<WORD>(item_name ? length : item->Name.size()));
    notesrt::SetIfGiven(item_flags_ptr, item->Flags);
    Describe(*note, *item, nullptr, value_datatype_ptr, value_bid_ptr, value_len_ptr);
  });
}

// The routine may change the note; items it deletes are skipped, items it adds are not visited.
STATUS LNPUBLIC NSFItemScan(NOTEHANDLE note_handle, NSFITEMSCANPROC ActionRoutine,
                            void* func_param) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    if (!ActionRoutine) return ERR_MISC_INVALID_ARGS;
    std::vector<std::pair<TNoteItem*, uint64_t>> items;
    items.reserve(note.Items().size());
    for (TNoteItem& item : note.Items()) items.emplace_back(&item, item.Serial);
    const uint64_t removals = note.Removals();
    for (const auto& [item, serial] : items) {
      if (note.Removals() != removals && !note.Holds(item, serial)) continue;
      std::string_view value = TNote::ValueOf(*item);
      STATUS status = ActionRoutine(
          0, item->Flags, item->Name.data(), static_cast<WORD>(item->Name.size()),
          const_cast<char*>(value.data()), static_cast<DWORD>(value.size()), func_param);
      if (status != NOERROR) return status;
    }
    return NOERROR;
  });
}

// A null note handle gives a cleared time, as published.
STATUS LNPUBLIC NSFItemGetModifiedTime(NOTEHANDLE hNote, const char* ItemName, WORD ItemNameLength,
                                       DWORD, TIMEDATE* retTime) {
  if (retTime) *retTime = TIMEDATE{};
  if (hNote == NULLHANDLE) return NOERROR;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    std::optional<std::string_view> name = notesrt::ItemNameArg(ItemName, ItemNameLength);
    if (!name) return ERR_MISC_INVALID_ARGS;
    TNoteItem* item = NoteOf(hNote).Find(name);
    if (!item) return ERR_ITEM_NOT_FOUND;
    if (retTime) *retTime = item->Changed;
    return NOERROR;
  });
}
