// Item values as text.
#include "ApiCall.h"
#include "BufferText.h"
#include "HandleTable.h"
#include "ItemArgs.h"
#include "ItemText.h"
#include "MemoryBlock.h"
#include "notesapi/nsfnote.h"

using notesrt::TNote;

// The first item of the name; 0 and "" when there is none.
WORD LNPUBLIC NSFItemConvertToText(NOTEHANDLE note_handle, const char* item_name_ptr,
                                   char* text_buf_ptr, WORD text_buf_len, char separator) {
  notesrt::CopyToBuffer("", text_buf_ptr, text_buf_len);
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    notesrt::TNoteItem* item = notesrt::NoteOf(note_handle).Find(notesrt::NameArg(item_name_ptr));
    if (!item) return 0;
    std::string text = notesrt::ValueToText(item->Type, TNote::DataOf(*item), separator);
    return static_cast<WORD>(notesrt::CopyToBuffer(text, text_buf_ptr, text_buf_len));
  });
}

// value_len counts the type word; the value block may hold less than it claims, never more is
// read.
WORD LNPUBLIC NSFItemConvertValueToText(WORD value_type, BLOCKID value_bid, DWORD value_len,
                                        char* text_buf_ptr, WORD text_buf_len, char separator) {
  notesrt::CopyToBuffer("", text_buf_ptr, text_buf_len);
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    auto& block = notesrt::THandleTable::Instance().Get<notesrt::TMemoryBlock>(value_bid.pool);
    std::string_view value(block.Data(), block.Size());
    value = value.substr(std::min<size_t>(value_bid.block, value.size()));
    value = value.substr(0, std::min<size_t>(value_len, value.size()));
    if (value.size() < sizeof(WORD)) return 0;
    std::string text = notesrt::ValueToText(value_type, value.substr(sizeof(WORD)), separator);
    return static_cast<WORD>(notesrt::CopyToBuffer(text, text_buf_ptr, text_buf_len));
  });
}
