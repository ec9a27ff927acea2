// Sending a document: completing its header items and depositing it in the router mailbox.
#include "ELnSentCopyFailed.h"
#include "ELotusNotes.h"
#include "NotesHandle.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"

namespace {

using TDbHandle = TNotesHandle<NSFDbClose>;

const char* const MailBoxName = "MAIL.BOX";

// The router mailbox of the mail server, or the local one when no mail server is set.
TDbHandle OpenMailBox() {
  // Both names stay LMBCS from the setting to the open.
  char path[MAXPATH] = {};
  CheckNotesStatus(OSPathNetConstruct("", TNotesDatabase::MailServer().c_str(), MailBoxName, path));
  TDbHandle mailBox;
  CheckNotesStatus(NSFDbOpen(path, mailBox.Receive()));
  if (!mailBox) throw ELotusNotes(-1, "User cancelled Notes session");
  return mailBox;
}

// Where a note belongs: database, note ID and originator ID.
struct TNotePlace {
  DBHANDLE Database = NULLHANDLE;
  NOTEID NoteID = 0;
  ORIGINATORID Originator{};

  static TNotePlace Of(NOTEHANDLE Note) {
    TNotePlace place;
    NSFNoteGetInfo(Note, _NOTE_DB, &place.Database);
    NSFNoteGetInfo(Note, _NOTE_ID, &place.NoteID);
    NSFNoteGetInfo(Note, _NOTE_OID, &place.Originator);
    return place;
  }
  void MoveTo(NOTEHANDLE Note) {
    NSFNoteSetInfo(Note, _NOTE_DB, &Database);
    NSFNoteSetInfo(Note, _NOTE_ID, NoteID == 0 ? nullptr : &NoteID);
    NSFNoteSetInfo(Note, _NOTE_OID, &Originator);
  }
};

}  // namespace

void TNotesDocument::CompleteMailHeader(bool StoreForm, const std::string& Recipients) {
  std::string form = GetItemByNum(MAIL_FORM_ITEM_NUM);
  if (StoreForm)
    AttachForm(form.empty() ? MAIL_MEMO_FORM : form);
  else if (form.empty())
    SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
  if (GetItemByNum(MAIL_FROM_ITEM_NUM).empty())
    SetItemByNum(MAIL_FROM_ITEM_NUM, TNotesDatabase::UserName());
  if (!Recipients.empty())
    SetRecipients(Recipients);
  else if (GetRecipients().empty())
    SetRecipients(AddressedTo());
  // A mail nobody can receive would lie dead in the mailbox while the sender believes it sent.
  if (GetRecipients().empty()) throw ELotusNotes(-1, "No recipients: the mail was not sent");
  TIMEDATE now;
  OSCurrentTIMEDATE(&now);
  CheckNotesStatus(MailAddHeaderItem(NoteHandle(), MAIL_POSTEDDATE_ITEM_NUM, &now, sizeof(now)));
  ItemsWritten();
  GetItemByName(MAIL_PRINCIPAL_ITEM)->SetAsString(GetItemByNum(MAIL_FROM_ITEM_NUM));
}

// Send-to, copy-to and blind-copy-to, each from its header item or else its plain item.
std::string TNotesDocument::AddressedTo() {
  const struct {
    WORD Code;
    const char* Item;
  } parts[] = {{MAIL_SENDTO_ITEM_NUM, MAIL_SENDTO_ITEM},
               {MAIL_COPYTO_ITEM_NUM, MAIL_COPYTO_ITEM},
               {MAIL_BLINDCOPYTO_ITEM_NUM, MAIL_BLINDCOPYTO_ITEM}};
  std::string joined;
  for (const auto& part : parts) {
    std::string text = GetItemByNum(part.Code);
    if (text.empty() && IsItemExists(part.Item)) text = GetItemByName(part.Item)->GetAsString();
    if (text.empty()) continue;
    if (!joined.empty()) joined += ',';
    joined += text;
  }
  return joined;
}

void TNotesDocument::Send(bool StoreForm, const std::string& Recipients) {
  CompleteMailHeader(StoreForm, Recipients);
  TDbHandle mailBox = OpenMailBox();
  TNotePlace original = TNotePlace::Of(NoteHandle());
  TNotePlace deposit{mailBox.Get(), 0, {}};
  CheckNotesStatus(NSFDbGenerateOID(mailBox.Get(), &deposit.Originator));
  deposit.MoveTo(NoteHandle());
  if (const STATUS status = NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT); status != NOERROR) {
    // Nothing was sent: the document stays where it was, so that it can be sent again.
    original.MoveTo(NoteHandle());
    CheckNotesStatus(status);
  }
  if (!FDatabase->KeepSentCopy) return;
  original.MoveTo(NoteHandle());
  try {
    CheckNotesStatus(NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT));
  } catch (const ELotusNotes& Error) {
    // Saying only "failed" would make the user send the mail a second time.
    throw ELnSentCopyFailed(Error.Status, Error.what());
  }
  FNoteID = NoteIDFromNote();
}
