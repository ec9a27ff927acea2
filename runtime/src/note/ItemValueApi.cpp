// Typed item getters and setters: text, text lists, numbers, times.
#include "core/ApiCall.h"
#include "note/ItemArgs.h"
#include "note/ItemValue.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfnote.h"
#include "storage/StoredValue.h"
#include "text/BufferText.h"

using notesrt::NoteOf;
using notesrt::TNote;
using notesrt::TNoteItem;

namespace {

// The first item of a NUL-terminated name, or null.
TNoteItem* FirstItem(NOTEHANDLE Note, const char* Name) {
  return NoteOf(Note).Find(notesrt::NameArg(Name));
}

// The published setters replace every item of the name with one summary item.
STATUS Replace(NOTEHANDLE Note, const char* Name, WORD Type, std::string_view Value) {
  TNote& note = NoteOf(Note);
  std::string_view name = notesrt::NameArg(Name);
  if (name.empty()) return ERR_MISC_INVALID_ARGS;
  note.DeleteAll(name);
  note.Append(name, ITEM_SUMMARY, Type, Value, notesrt::ItemChangeTime());
  return NOERROR;
}

}  // namespace

// The stored bytes, NULs (line breaks) included, ended by a NUL inside the buffer; for a list,
// its first entry.
WORD LNPUBLIC NSFItemGetText(NOTEHANDLE note_handle, const char* item_name, char* item_text,
                             WORD text_len) {
  notesrt::CopyToBuffer("", item_text, text_len);
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    TNoteItem* item = FirstItem(note_handle, item_name);
    if (!item) return 0;
    auto text = notesrt::TextEntry(item->Type, TNote::DataOf(*item), 0);
    return static_cast<WORD>(notesrt::CopyToBuffer(text.value_or(""), item_text, text_len));
  });
}

WORD LNPUBLIC NSFItemGetTextListEntries(NOTEHANDLE note_handle, const char* item_name) {
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    TNoteItem* item = FirstItem(note_handle, item_name);
    return item ? static_cast<WORD>(notesrt::TextEntryCount(item->Type, TNote::DataOf(*item))) : 0;
  });
}

// text_len is the buffer size less one, as published.
WORD LNPUBLIC NSFItemGetTextListEntry(NOTEHANDLE note_handle, const char* item_name,
                                      WORD entry_position, char* entry_text, WORD text_len) {
  size_t size = size_t{text_len} + 1;
  notesrt::CopyToBuffer("", entry_text, size);
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    TNoteItem* item = FirstItem(note_handle, item_name);
    if (!item) return 0;
    auto text = notesrt::TextEntry(item->Type, TNote::DataOf(*item), entry_position);
    return static_cast<WORD>(notesrt::CopyToBuffer(text.value_or(""), entry_text, size));
  });
}

BOOL LNPUBLIC NSFItemGetNumber(NOTEHANDLE hNote, const char* ItemName, NUMBER* retNumber) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    TNoteItem* item = FirstItem(hNote, ItemName);
    auto number = item ? notesrt::FirstNumber(item->Type, TNote::DataOf(*item)) : std::nullopt;
    if (!number) return FALSE;
    if (retNumber) *retNumber = *number;
    return TRUE;
  });
}

BOOL LNPUBLIC NSFItemGetTime(NOTEHANDLE note_handle, const char* td_item_name,
                             TIMEDATE* td_item_value) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    TNoteItem* item = FirstItem(note_handle, td_item_name);
    auto time = item ? notesrt::FirstTime(item->Type, TNote::DataOf(*item)) : std::nullopt;
    if (!time) return FALSE;
    if (td_item_value) *td_item_value = *time;
    return TRUE;
  });
}

STATUS LNPUBLIC NSFItemSetNumber(NOTEHANDLE hNote, const char* ItemName, const NUMBER* Number) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!Number) return ERR_MISC_INVALID_ARGS;
    return Replace(hNote, ItemName, TYPE_NUMBER, notesrt::BytesOf(*Number));
  });
}

STATUS LNPUBLIC NSFItemSetTime(NOTEHANDLE note_handle, const char* td_item_name,
                               const TIMEDATE* td_item_ptr) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!td_item_ptr) return ERR_MISC_INVALID_ARGS;
    return Replace(note_handle, td_item_name, TYPE_TIME, notesrt::BytesOf(*td_item_ptr));
  });
}

STATUS LNPUBLIC NSFItemSetText(NOTEHANDLE hNote, const char* ItemName, const char* ItemText,
                               WORD TextLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!ItemText && TextLength > 0) return ERR_MISC_INVALID_ARGS;
    std::string_view text = ItemText
                                ? (TextLength == MAXWORD ? std::string_view(ItemText)
                                                         : std::string_view(ItemText, TextLength))
                                : std::string_view();
    return Replace(hNote, ItemName, TYPE_TEXT, text);
  });
}
