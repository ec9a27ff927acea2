// The mail operations of TNotesDocument: recipients, plain-text bodies and address checks.
#include <vector>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "NotesText.h"
#include "NotesUncutText.h"
#include "SysUtils.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"
#include "TNotesName.h"

namespace {

const char* const BodyItem = MAIL_BODY_ITEM;

WORD CheckedWordLength(const std::string& Value, const char* What) {
  if (Value.size() > MAXWORD) throw ELotusNotes(-1, std::string(What) + " is too long for Notes");
  return static_cast<WORD>(Value.size());
}

// A plain-text body in Notes memory, built line by line before the note is touched.
TMemoryHandle BuildBody(const std::vector<std::string>& Lines, DWORD& Length) {
  TMemoryHandle body;
  CheckNotesStatus(MailCreateBodyItem(body.Receive(), &Length));
  for (const std::string& line : Lines) {
    std::string text = Native2Lmbcs(line);
    const WORD textLength = CheckedWordLength(text, "A line of the body");
    CheckNotesStatus(MailAppendBodyItemLine(body.Get(), &Length, text.data(), textLength));
  }
  return body;
}

}  // namespace

std::string TNotesDocument::GetRecipients() const {
  try {
    return Lmbcs2Native(ReadUncutText(2048, [&](char* Buffer, WORD Size) {
      WORD length = 0;
      return MailGetMessageItem(NoteHandle(), MAIL_RECIPIENTS_ITEM_NUM, Buffer, Size, &length) ==
             NOERROR;
    }));
  } catch (const std::exception&) {
    return "";
  }
}

// A Notes text list holds up to 64 KB (its type word, entry count, a length word per entry and
// the texts). The list is measured before it is built: the status alone would speak of memory,
// and adding thousands of entries one by one would take minutes before it said even that.
void TNotesDocument::SetRecipients(const std::string& Recipients) {
  const std::vector<std::string> pieces = CommaPieces(Recipients);
  if (pieces.empty()) return;
  std::vector<std::string> names;
  size_t listBytes = 2 * sizeof(WORD);
  for (const std::string& piece : pieces) {
    names.push_back(Native2Lmbcs(piece));
    listBytes += sizeof(WORD) + names.back().size();
  }
  if (listBytes > 0xFFFF)
    throw ELotusNotes(ERR_SEGMENT_TOO_BIG,
                      "Too many recipients: the " + std::to_string(names.size()) +
                          " names are more than one mail's recipient list holds (65,000 bytes); "
                          "send to a group or in several mails");
  TMemoryHandle list;
  void* listPointer = nullptr;
  WORD listSize = 0;
  CheckNotesStatus(ListAllocate(0, 0, TRUE, list.Receive(), &listPointer, &listSize));
  OSUnlock(list.Get());
  WORD entry = 0;
  for (const std::string& name : names)
    CheckNotesStatus(ListAddEntry(list.Get(), TRUE, &listSize, entry++, name.data(),
                                  CheckedWordLength(name, "A recipient")));
  CheckNotesStatus(MailAddRecipientsItem(NoteHandle(), list.Get(), listSize));
  // Notes owns the list memory now.
  list.Detach();
  ItemsWritten();
}

std::string TNotesDocument::GetBodyAsString() {
  return GetItemByName(BodyItem)->GetAsString();
}

TStringList& TNotesDocument::GetBodyAsMemo() {
  return GetItemByName(BodyItem)->GetAsStrings();
}

void TNotesDocument::SetBodyAsString(const std::string& Text) {
  if (Text.empty()) return;
  TStringList lines;
  lines.SetText(Text);
  SetBodyAsMemo(lines);
}

void TNotesDocument::SetBodyAsMemo(const TStringList& Lines) {
  if (Lines.Count() == 0) return;
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(Lines.Count()));
  for (int index = 0; index < Lines.Count(); ++index) lines.push_back(Lines.Strings(index));
  DWORD length = 0;
  TMemoryHandle body = BuildBody(lines, length);
  // The old body goes only once the new one is complete, and a reader then sees one body. The
  // item objects handed out stay valid and read the new body.
  TNotesItem::DeleteAllItems(NoteHandle(), BodyItem);
  CheckNotesStatus(MailAddBodyItem(NoteHandle(), body.Get(), length, nullptr));
  ItemsWritten();
}

void TNotesDocument::CheckAddress() {
  const std::string server = Lmbcs2Native(TNotesDatabase::MailServer());
  for (const std::string& text : {GetItemByNum(MAIL_SENDTO_ITEM_NUM), GetRecipients()}) {
    for (const std::string& name : CommaPieces(text)) {
      if (!TNotesName::CheckAddress(server, name))
        throw ELotusNotes(-1, "Cannot find address \"" + name + "\" on server " + server);
    }
  }
}
