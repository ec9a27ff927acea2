// Composing, replying to and sending mail from TNotesDatabase.
#include "NotesMailBox.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"

void TNotesDatabase::SendMail(const std::string& SendTo, const std::string& Subject,
                              const std::string& Body) {
  std::unique_ptr<TNotesDocument> mail = CreateDocument();
  mail->SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
  mail->SetItemByNum(MAIL_SENDTO_ITEM_NUM, SendTo);
  mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Subject);
  mail->SetBodyAsString(Body);
  mail->Sign();
  mail->Send(false, "");
}

void TNotesDatabase::ReplyMail(TNotesDocument& RepliedTo, const std::string& Body) {
  TNotesDocument reply(*this, RepliedTo);
  reply.SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_REPLY_FORM);
  reply.SetItemByNum(MAIL_SENDTO_ITEM_NUM, RepliedTo.GetItemByNum(MAIL_FROM_ITEM_NUM));
  reply.SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Re: " + RepliedTo.GetItemByNum(MAIL_SUBJECT_ITEM_NUM));
  reply.SetBodyAsString(Body);
  reply.Sign();
  reply.Send(false, "");
}

int TNotesDatabase::CompletePendingSends() {
  std::unique_ptr<TNotesDocumentCollection> pending = FindNotes(
      std::string("@IsAvailable(") + PendingDepositItem + ")", 0, NOTE_CLASS_DOCUMENT, false);
  if (pending->Count() == 0) return 0;
  TMailBoxHandle mailBox = OpenMailBox();
  int sent = 0;
  for (int index = 0; index < pending->Count(); ++index)
    if (pending->GetDocument(index)->CompletePendingSend(mailBox.Get())) ++sent;
  return sent;
}
