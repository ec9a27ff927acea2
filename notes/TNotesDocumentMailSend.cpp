// Sending a document: completing its header items and depositing it in the router mailbox.
#include "ELnSentCopyFailed.h"
#include "ELotusNotes.h"
#include "NotesMailBox.h"
#include "NotesText.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"

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
  SetPostedDateNow();
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

// With KeepSentCopy the copy is stored first, marked as not yet in the mailbox: a send stopped
// at any point (the program killed, the machine down) then leaves either nothing, or a marked
// copy that CompletePendingSend finishes, or the mail in the mailbox with its copy.
void TNotesDocument::Send(bool StoreForm, const std::string& Recipients) {
  CompleteMailHeader(StoreForm, Recipients);
  TMailBoxHandle mailBox = OpenMailBox();
  ORIGINATORID deposit{};
  CheckNotesStatus(NSFDbGenerateOID(mailBox.Get(), &deposit));
  if (!FDatabase->KeepSentCopy) return DepositNote(NoteHandle(), mailBox.Get(), deposit);
  SavePendingCopy(UNIDtoStr({{deposit.File[0], deposit.File[1]}, deposit.Note}, false));
  const TNotePlace home = TNotePlace::Of(NoteHandle());
  try {
    DepositNote(NoteHandle(), mailBox.Get(), deposit);
  } catch (const ELotusNotes& Error) {
    KeepUnsentCopy(Error);
  }
  home.MoveTo(NoteHandle());
  MarkCopySent();
}

void TNotesDocument::SavePendingCopy(const std::string& DepositUnid) {
  GetItemByName(PendingDepositItem)->SetAsString(DepositUnid);
  try {
    CheckNotesStatus(NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT));
  } catch (...) {
    DeleteItem(PendingDepositItem);
    throw;
  }
  FNoteID = NoteIDFromNote();
  // The mail that goes into the mailbox does not carry the mark.
  DeleteItem(PendingDepositItem);
}

// The mail did not reach the mailbox: its copy becomes a draft again, so that nothing sends it
// behind the user's back. Should even that fail, the next send completes it.
void TNotesDocument::KeepUnsentCopy(const ELotusNotes& Error) {
  DeleteItem(MAIL_POSTEDDATE_ITEM);
  const bool draft = NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT) == NOERROR;
  throw ELotusNotes(Error.Status, std::string(Error.what()) +
                                      (draft ? " (the mail was not sent; it is kept as a draft)"
                                             : " (the mail was not sent yet; the next send or "
                                               "connect sends it)"));
}

void TNotesDocument::MarkCopySent() {
  try {
    CheckNotesStatus(NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT));
  } catch (const ELotusNotes& Error) {
    // Saying only "failed" would make the user send the mail a second time.
    throw ELnSentCopyFailed(Error.Status, Error.what());
  }
  FNoteID = NoteIDFromNote();
}

bool TNotesDocument::CompletePendingSend(DBHANDLE MailBox) {
  const std::optional<UNIVERSALNOTEID> unid =
      UnidOfText(GetItemByName(PendingDepositItem)->GetAsString());
  DeleteItem(PendingDepositItem);
  bool sentNow = false;
  if (!unid) {
    // A mark that cannot be read cannot tell whether the mail went: the user decides.
    DeleteItem(MAIL_POSTEDDATE_ITEM);
  } else if (!MailBoxHolds(MailBox, *unid)) {
    ORIGINATORID deposit{};
    CheckNotesStatus(NSFDbGenerateOID(MailBox, &deposit));
    deposit.File[0] = unid->File[0];
    deposit.File[1] = unid->File[1];
    deposit.Note = unid->Note;
    const TNotePlace home = TNotePlace::Of(NoteHandle());
    DepositNote(NoteHandle(), MailBox, deposit);
    home.MoveTo(NoteHandle());
    sentNow = true;
  }
  MarkCopySent();
  return sentNow;
}

void TNotesDocument::SetPostedDateNow() {
  TIMEDATE now;
  OSCurrentTIMEDATE(&now);
  CheckNotesStatus(MailAddHeaderItem(NoteHandle(), MAIL_POSTEDDATE_ITEM_NUM, &now, sizeof(now)));
  ItemsWritten();
}
