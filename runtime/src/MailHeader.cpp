// Mail header items by item code: a note handle serves as the message handle.
#include <array>
#include <string>
#include <utility>

#include "ApiCall.h"
#include "BufferText.h"
#include "ItemArgs.h"
#include "ItemValue.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"

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

const THeaderItem* HeaderItem(WORD Code) {
  for (const THeaderItem& item : HeaderItems)
    if (item.Code == Code) return &item;
  return nullptr;
}

// A list reads as its entries joined with commas; other types read as "".
std::string HeaderText(const TNoteItem& Item) {
  std::string text;
  std::string_view data = TNote::DataOf(Item);
  size_t count = notesrt::TextEntryCount(Item.Type, data);
  for (size_t index = 0; index < count; ++index) {
    if (index > 0) text += ',';
    text += notesrt::TextEntry(Item.Type, data, index).value_or("");
  }
  return text;
}

}  // namespace

// Date codes take a TIMEDATE; every other code takes LMBCS text.
STATUS LNPUBLIC MailAddHeaderItem(DHANDLE hMessage, WORD ItemCode, const void* Value,
                                  WORD ValueLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    const THeaderItem* header = HeaderItem(ItemCode);
    if (!header || (!Value && ValueLength > 0)) return ERR_MISC_INVALID_ARGS;
    if (header->IsTime && ValueLength != sizeof(TIMEDATE)) return ERR_MISC_INVALID_ARGS;
    std::string_view value(static_cast<const char*>(Value), Value ? ValueLength : 0);
    WORD flags = value.size() > MaxSummaryHeader ? 0 : ITEM_SUMMARY;
    note.Append(header->Name, flags, header->IsTime ? TYPE_TIME : TYPE_TEXT, value,
                notesrt::ItemChangeTime());
    return NOERROR;
  });
}

STATUS LNPUBLIC MailGetMessageItem(DHANDLE hMessage, WORD ItemCode, char* retString,
                                   WORD StringSize, WORD* retStringLength) {
  notesrt::CopyToBuffer("", retString, StringSize);
  if (retStringLength) *retStringLength = 0;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    const THeaderItem* header = HeaderItem(ItemCode);
    if (!header) return ERR_MISC_INVALID_ARGS;
    TNoteItem* item = note.Find(std::string_view(header->Name));
    if (!item) return ERR_ITEM_NOT_FOUND;
    size_t length = notesrt::CopyToBuffer(HeaderText(*item), retString, StringSize);
    if (retStringLength) *retStringLength = static_cast<WORD>(length);
    return NOERROR;
  });
}
