// Item values as text.
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "note/ItemArgs.h"
#include "note/ItemText.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/ods.h"
#include "notesapi/odserr.h"
#include "storage/StoredValue.h"
#include "text/BufferText.h"

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

WORD LNPUBLIC NSFItemConvertValueToText(WORD value_type, BLOCKID value_bid, DWORD value_len,
                                        char* text_buf_ptr, WORD text_buf_len, char separator) {
  notesrt::CopyToBuffer("", text_buf_ptr, text_buf_len);
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    std::string_view value = notesrt::ValueArg(value_bid, value_len);
    if (value.size() < sizeof(WORD)) return 0;
    std::string text = notesrt::ValueToText(value_type, value.substr(sizeof(WORD)), separator);
    return static_cast<WORD>(notesrt::CopyToBuffer(text, text_buf_ptr, text_buf_len));
  });
}

// The type comes from the value's own type word.
STATUS LNPUBLIC ConvertItemToText(BLOCKID ItemValue, DWORD ItemValueLength,
                                  const char* LineDelimiter, WORD CharsPerLine, DHANDLE* rethBuffer,
                                  DWORD* retBufferLength, BOOL fStripTabs) {
  notesrt::SetIfGiven(rethBuffer, DHANDLE{NULLHANDLE});
  notesrt::SetIfGiven(retBufferLength, DWORD{0});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethBuffer) return ERR_MISC_INVALID_ARGS;
    std::string_view value = notesrt::ValueArg(ItemValue, ItemValueLength);
    if (value.size() < sizeof(WORD)) return ERR_DATATYPE;
    const auto type = notesrt::ReadAt<WORD>(value, 0);
    if (type != TYPE_COMPOSITE && type != TYPE_TEXT) return ERR_DATATYPE;
    const notesrt::TLineLayout layout{LineDelimiter ? LineDelimiter : "", CharsPerLine,
                                      fStripTabs != FALSE};
    std::string text = notesrt::ValueLines(type, value.substr(sizeof(WORD)), layout);
    const auto length = static_cast<DWORD>(text.size());
    text += '\0';
    *rethBuffer = notesrt::TMemoryBlock::Adopt(std::move(text));
    notesrt::SetIfGiven(retBufferLength, length);
    return NOERROR;
  });
}
