// Mail header items by item code, and the recipients list: a note handle serves as the message
// handle.
#include <array>
#include <string>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "core/TextList.h"
#include "note/ItemArgs.h"
#include "note/ItemText.h"
#include "note/ItemValue.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "text/BufferText.h"

using notesrt::TNote;
using notesrt::TNoteItem;

namespace {

struct THeaderItem {
  WORD Code;
  const char* Name;
  bool IsTime;
};

constexpr std::array HeaderItems{
    THeaderItem{MAIL_SENDTO_ITEM_NUM, MAIL_SENDTO_ITEM, false},
    THeaderItem{MAIL_COPYTO_ITEM_NUM, MAIL_COPYTO_ITEM, false},
    THeaderItem{MAIL_FROM_ITEM_NUM, MAIL_FROM_ITEM, false},
    THeaderItem{MAIL_SUBJECT_ITEM_NUM, MAIL_SUBJECT_ITEM, false},
    THeaderItem{MAIL_COMPOSEDDATE_ITEM_NUM, MAIL_COMPOSEDDATE_ITEM, true},
    THeaderItem{MAIL_POSTEDDATE_ITEM_NUM, MAIL_POSTEDDATE_ITEM, true},
    THeaderItem{MAIL_BODY_ITEM_NUM, MAIL_BODY_ITEM, false},
    THeaderItem{MAIL_RECIPIENTS_ITEM_NUM, MAIL_RECIPIENTS_ITEM, false},
    THeaderItem{MAIL_FORM_ITEM_NUM, MAIL_FORM_ITEM, false},
    THeaderItem{MAIL_BLINDCOPYTO_ITEM_NUM, MAIL_BLINDCOPYTO_ITEM, false},
    THeaderItem{MAIL_DELIVERYPRIORITY_ITEM_NUM, "DeliveryPriority", false},
    THeaderItem{MAIL_DELIVERYREPORT_ITEM_NUM, "DeliveryReport", false},
    THeaderItem{MAIL_DELIVEREDDATE_ITEM_NUM, "DeliveredDate", true},
};

// Values this large are not kept in the summary, as published.
constexpr size_t MaxSummaryHeader = 8 * 1024;
constexpr char ListSeparator[] = ", ";

const THeaderItem& HeaderItem(WORD Code) {
  for (const THeaderItem& item : HeaderItems)
    if (item.Code == Code) return item;
  throw notesrt::EStatus(ERR_NOTESRT_MAIL_ITEM_CODE);
}

// Text entries joined with ", "; any other value (a date, a number, rich text) reads as a
// zero-length string, as published. A plain text is the value itself: Scratch holds only a
// joined list, so that the common case copies nothing.
std::string_view HeaderText(const TNoteItem& Item, std::string& Scratch) {
  std::string_view data = TNote::DataOf(Item);
  if (Item.Type == TYPE_TEXT) return data;
  if (Item.Type != TYPE_TEXT_LIST) return "";
  Scratch = notesrt::ListText(data, ListSeparator);
  return Scratch;
}

// A header value is a set, not an addition: Send may run twice on one note.
void Replace(TNote& Note, std::string_view Name, WORD Type, std::string_view Value) {
  WORD flags = Value.size() > MaxSummaryHeader ? 0 : ITEM_SUMMARY;
  Note.DeleteAll(Name);
  Note.Append(Name, flags, Type, Value, notesrt::ItemChangeTime());
}

}  // namespace

// Date codes take a TIMEDATE; every other code takes LMBCS text.
STATUS LNPUBLIC MailAddHeaderItem(DHANDLE hMessage, WORD ItemCode, const void* Value,
                                  WORD ValueLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    const THeaderItem& header = HeaderItem(ItemCode);
    if (!Value && ValueLength > 0) return ERR_MISC_INVALID_ARGS;
    if (header.IsTime && ValueLength != sizeof(TIMEDATE)) return ERR_MISC_INVALID_ARGS;
    std::string_view value(static_cast<const char*>(Value), Value ? ValueLength : 0);
    Replace(note, header.Name, header.IsTime ? TYPE_TIME : TYPE_TEXT, value);
    return NOERROR;
  });
}

STATUS LNPUBLIC MailGetMessageItem(DHANDLE hMessage, WORD ItemCode, char* retString,
                                   WORD StringSize, WORD* retStringLength) {
  notesrt::CopyToBuffer("", retString, StringSize);
  if (retStringLength) *retStringLength = 0;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    TNoteItem* item = note.Find(std::string_view(HeaderItem(ItemCode).Name));
    if (!item) return ERR_ITEM_NOT_FOUND;
    std::string scratch;
    size_t length = notesrt::CopyToBuffer(HeaderText(*item, scratch), retString, StringSize);
    if (retStringLength) *retStringLength = static_cast<WORD>(length);
    return NOERROR;
  });
}

// The list is taken over: the note frees it when it is closed, and until then the caller's
// OSMemFree of it is refused instead of freeing memory the runtime still holds.
STATUS LNPUBLIC MailAddRecipientsItem(DHANDLE hMessage, DHANDLE hRecipientsItem,
                                      WORD RecipientsLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    auto& block = notesrt::THandleTable::Instance().Get<notesrt::TMemoryBlock>(hRecipientsItem);
    if (block.RuntimeOwned()) return ERR_NOTESRT_RUNTIME_OWNED;
    if (RecipientsLength > block.Size()) return ERR_MISC_INVALID_ARGS;
    auto list = notesrt::TTextList::Parse(block.Data(), RecipientsLength, true);
    if (!list || notesrt::TTextList::ReadWord(block.Data()) != TYPE_TEXT_LIST)
      return ERR_MISC_INVALID_ARGS;
    Replace(note, MAIL_RECIPIENTS_ITEM, TYPE_TEXT_LIST,
            notesrt::TTextList::ValueOf(list->Entries()));
    note.Adopt(hRecipientsItem);
    return NOERROR;
  });
}
