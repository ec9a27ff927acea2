// Plain-text mail bodies: a growing buffer of rich-text records in a memory handle the caller
// owns, added to a message as "Body" (or another item the caller names).
#include <algorithm>
#include <cstring>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "note/CdRecords.h"
#include "note/ItemAppend.h"
#include "note/ItemArgs.h"
#include "note/Note.h"
#include "note/PlainRichText.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"

using notesrt::EStatus;
using notesrt::TMemoryBlock;

namespace {

// The caller's body buffer and the part of it in use.
TMemoryBlock& BodyBlock(DHANDLE Handle, DWORD Length) {
  TMemoryBlock& block = notesrt::THandleTable::Instance().Get<TMemoryBlock>(Handle);
  if (block.RuntimeOwned()) throw EStatus(ERR_NOTESRT_RUNTIME_OWNED);
  if (Length > block.Size()) throw EStatus(ERR_NOTESRT_MAIL_BODY);
  return block;
}

// The block doubles when it is full, so appending n lines costs O(n) copying.
void Append(TMemoryBlock& Block, DWORD& Length, std::string_view Records) {
  size_t needed = size_t{Length} + Records.size();
  if (needed > TMemoryBlock::MaxSize) throw EStatus(ERR_MEMORY);
  if (needed > Block.Size()) {
    if (Block.LockCount() > 0) throw EStatus(ERR_NOTESRT_LOCKED);
    Block.Resize(std::min(std::max(needed, 2 * Block.Size()), TMemoryBlock::MaxSize));
  }
  std::memcpy(Block.Data() + Length, Records.data(), Records.size());
  Length = static_cast<DWORD>(needed);
}

// The body cut into items. Damage there lies in the caller's buffer or length, so it is reported
// as the mail functions report a wrong length.
std::vector<std::string_view> BodyPieces(std::string_view Body) {
  try {
    return notesrt::CdPieces(Body, notesrt::MaxRichTextItem);
  } catch (const EStatus& e) {
    if (e.Status() == ERR_NOTESRT_RICH_TEXT_DAMAGED) throw EStatus(ERR_NOTESRT_MAIL_BODY);
    throw;
  }
}

// Appended after any item of the name the message has; the buffer stays the caller's to free.
STATUS AddBody(DHANDLE Message, DHANDLE Body, DWORD Length, std::string_view Name) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TNote& note = notesrt::NoteOf(Message);
    TMemoryBlock& block = BodyBlock(Body, Length);
    if (Name.empty()) return ERR_MISC_INVALID_ARGS;
    // The pieces are read whole before the note changes, so a damaged buffer adds nothing.
    notesrt::AppendRichTextItems(note, Name, BodyPieces(std::string_view(block.Data(), Length)));
    return NOERROR;
  });
}

}  // namespace

STATUS LNPUBLIC MailCreateBodyItem(DHANDLE* rethBodyItem, DWORD* retBodyLength) {
  if (rethBodyItem) *rethBodyItem = NULLHANDLE;
  if (retBodyLength) *retBodyLength = 0;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethBodyItem || !retBodyLength) return ERR_MISC_INVALID_ARGS;
    std::string body = notesrt::PlainStyle();
    DHANDLE handle = TMemoryBlock::Allocate(body.size());
    std::memcpy(notesrt::THandleTable::Instance().Get<TMemoryBlock>(handle).Data(), body.data(),
                body.size());
    *rethBodyItem = handle;
    *retBodyLength = static_cast<DWORD>(body.size());
    return NOERROR;
  });
}

// The text is stored as given, without conversion; *BodyLength grows only when the line was
// appended whole.
STATUS LNPUBLIC MailAppendBodyItemLine(DHANDLE hBodyItem, DWORD* BodyLength, char* Text,
                                       WORD TextLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!BodyLength || (!Text && TextLength > 0)) return ERR_MISC_INVALID_ARGS;
    TMemoryBlock& block = BodyBlock(hBodyItem, *BodyLength);
    std::string_view line(Text ? Text : "", TextLength);
    std::string records;
    notesrt::AppendPlainParagraph(records, line, DEFAULT_FONT_ID);
    Append(block, *BodyLength, records);
    return NOERROR;
  });
}

STATUS LNPUBLIC MailAddBodyItem(DHANDLE hMessage, DHANDLE hBodyItem, DWORD BodyLength,
                                char* ItemName) {
  return AddBody(hMessage, hBodyItem, BodyLength, ItemName ? ItemName : MAIL_BODY_ITEM);
}

STATUS LNPUBLIC MailAddBodyItemExt(DHANDLE hMessage, DHANDLE hBodyItem, DWORD BodyLength,
                                   NLS_PINFO pInfo) {
  if (pInfo) return ERR_NOTESRT_MAIL_CHARSET;
  return AddBody(hMessage, hBodyItem, BodyLength, MAIL_BODY_ITEM);
}
