// The plug-in's operations on one mail: reading it with its attachments, saving an attachment,
// sending a mail and filing a new one.
#include "DateUtils.h"
#include "ELotusNotes.h"
#include "MailAttachments.h"
#include "MailListLine.h"
#include "NotesCharset.h"
#include "NotesRichText.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFolder.h"
#include "TNotesItem.h"
#include "TNotesRichTextItem.h"
#include "TempFiles.h"
#include "TvpiLNMail.h"
#include "Unicode.h"

namespace {

constexpr char BodyItem[] = "Body";

// A rich-text body: the "Body" item is there and holds rich text. Other failures of opening it
// are failures of the mail, not signs of a plain body.
bool HasRichTextBody(TNotesDocument& Document) {
  const TNotesItem* body = Document.GetItemByName(BodyItem);
  return body->Loaded() && body->DataType() == TYPE_COMPOSITE;
}

// The body as the host gets it: RTF lines of the whole field, or the plain text's lines.
void ReadBody(TNotesDocument& Document, TStringList& Body) {
  if (!HasRichTextBody(Document)) {
    Body.SetText(Document.GetBodyAsString());
    return;
  }
  std::unique_ptr<TNotesRichTextItem> body = TNotesRichTextItem::Create(Document, BodyItem);
  TTempFile rtf(RichTextTempFile("~rtf"));
  body->ExportFieldRtfFile(rtf.Path());
  Body.LoadFromFile(rtf.Path());
}

bool IsWellFormedUtf8(const std::string& Text) {
  for (size_t at = 0; at < Text.size();) {
    const size_t start = at;
    if (NextUtf8CodePoint(Text, at) == 0xFFFD && Text.compare(start, 3, "\xEF\xBF\xBD") != 0)
      return false;
  }
  return true;
}

// Header, body and files of a new mail from the host's record.
void FillMail(TNotesDocument& Document, const TMailItemData& Data) {
  std::unique_ptr<TNotesRichTextItem> body = TNotesRichTextItem::CreateNew(Document, BodyItem);
  body->PlainText = false;
  const TStringList noLines;
  body->SetRichText(Data.Body != nullptr ? *Data.Body : noLines);
  if (Data.Attachments == nullptr) return;
  for (int index = 0; index < Data.Attachments->Count(); ++index)
    Document.Attach(Data.Attachments->Strings(index));
}

}  // namespace

void TvpiLNMail::GetMail(int32_t NoteID, const std::string&, TMailItemData& Data) {
  Data.From.clear();
  Data.SendTo.clear();
  Data.CopyTo.clear();
  Data.Subject.clear();
  if (!FConnected) return;
  Data.Body = new TStringList();
  Data.Attachments = new TStringList();
  TNotesDocument document(*FDatabase, NoteID);
  // The names are distinct already: sorting loses none of them.
  Data.Attachments->SetSorted(true);
  for (const TMailAttachment& attachment : ListMailAttachments(document.NoteHandle()))
    Data.Attachments->Add(attachment.Name);
  Data.NoteID = NoteID;
  Data.Date = document.GetLastModified();
  Data.From = document.GetItemByNum(MAIL_FROM_ITEM_NUM);
  Data.SendTo = document.GetRecipients();
  Data.Subject = document.GetItemByNum(MAIL_SUBJECT_ITEM_NUM);
  ReadBody(document, *Data.Body);
}

// The name picks one of the attachments GetMail lists; the target is exactly the file the host
// chose, written whole or not at all.
bool TvpiLNMail::Detach(int32_t NoteID, const std::string&, const std::string& AttachmentName,
                        const std::string& FileName) {
  if (!FConnected) return false;
  if (!IsWellFormedUtf8(FileName))
    throw ELotusNotes(-1, "The file name is not valid UTF-8: " + FileName);
  TNotesDocument document(*FDatabase, NoteID);
  const std::vector<TMailAttachment> attachments = ListMailAttachments(document.NoteHandle());
  const TMailAttachment* attachment = FindMailAttachment(attachments, AttachmentName);
  if (attachment == nullptr) return false;
  const std::string target = Native2Lmbcs(FileName);
  CheckNotesStatus(
      NSFNoteExtractFile(document.NoteHandle(), attachment->Item, target.c_str(), nullptr));
  return true;
}

void TvpiLNMail::SendMail(const TMailItemData& Data) {
  if (!FConnected) return;
  FDatabase->KeepSentCopy = Data.KeepSentCopy;
  std::unique_ptr<TNotesDocument> document = FDatabase->CreateDocument();
  document->SetItemByNum(MAIL_SENDTO_ITEM_NUM, Data.SendTo);
  document->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Data.Subject);
  document->SetItemByNum(MAIL_COPYTO_ITEM_NUM, Data.CopyTo);
  FillMail(*document, Data);
  document->Sign();
  document->Send(false, "");
}

// The folder's view shows the new mail: a folder gets it as a member, the sent view by its
// posted date, and the view object the database keeps lists it at once.
void TvpiLNMail::MailToFolder(const TMailItemData& Data, mfType Folder) {
  if (!FConnected) return;
  const std::string alias = MailFolderAlias(Folder);
  if (alias.empty()) return;
  TNotesView* view = FDatabase->GetViews(alias);
  if (view == nullptr)
    throw ELotusNotes(-1, "The mail file " + FDatabase->FileName() + " has no view " + alias);
  TNotesDocument document(*FDatabase);
  document.SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Data.Subject);
  document.SetItemByNum(MAIL_SENDTO_ITEM_NUM, Data.SendTo);
  document.SetItemByNum(MAIL_COPYTO_ITEM_NUM, Data.CopyTo);
  FillMail(document, Data);
  if (Folder == mfSent || Folder == mfOutbox) document.SetPostedDateNow();
  // A mail in the inbox counts as delivered: the drafts view, which shows what is neither
  // posted nor delivered, leaves it out.
  if (Folder == mfInbox) document.GetItemByName("DeliveredDate")->SetAsDateTime(Now());
  document.Sign();
  document.Save();
  if (view->GetIsFolder()) TNotesFolder(*FDatabase, alias).AddDocument(document);
  view->AddDocumentId(static_cast<int32_t>(document.NoteID()), Data.Subject);
}
