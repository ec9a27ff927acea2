#include "TDemoMail.h"

#include <fstream>
#include <memory>
#include <vector>

#include "ELotusNotes.h"
#include "StringList.h"
#include "TActingAs.h"
#include "TAddressBookAdmin.h"
#include "TNotesACL.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFolder.h"
#include "TNotesRichTextItem.h"
#include "notesapi/notesrt.h"

namespace {

const char* const MailTemplate = "mail.ntf";
const char* const DirectoryFile = "names.nsf";
const char* const Inbox = "($Inbox)";

const TPersonFields& User() {
  return DemoContent::People().front();
}

std::unique_ptr<TNotesDocument> NewMemo(TNotesDatabase& MailFile,
                                        const DemoContent::TSampleMail& Mail) {
  std::unique_ptr<TNotesDocument> memo = MailFile.CreateDocument();
  memo->SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
  memo->SetItemByNum(MAIL_FROM_ITEM_NUM, DemoContent::People()[Mail.Sender].FullName);
  memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, Mail.SendTo);
  if (!Mail.CopyTo.empty()) memo->SetItemByNum(MAIL_COPYTO_ITEM_NUM, Mail.CopyTo);
  memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Mail.Subject);
  if (Mail.Rtf != nullptr) {
    // As the plug-in's SendMail writes a host's RTF body.
    const auto body = TNotesRichTextItem::CreateNew(*memo, "Body");
    body->PlainText = false;
    TStringList lines;
    lines.SetText(Mail.Rtf);
    body->SetRichText(lines);
  } else if (Mail.Compose != nullptr) {
    const auto body = TNotesRichTextItem::CreateNew(*memo, "Body");
    Mail.Compose(*body, MailFile);
    body->SaveContext();
  } else {
    memo->SetBodyAsString(Mail.Body);
  }
  return memo;
}

// The documents of Source's folder, filed into the same folder of its replica Target.
void FileLikeSource(TNotesDatabase& Source, TNotesDatabase& Target, const std::string& Folder) {
  TNotesView* sourceFolder = Source.GetViews(Folder);
  if (!sourceFolder) return;
  std::vector<std::unique_ptr<TNotesDocument>> documents;
  for (int index = 0; index < sourceFolder->Count(); ++index)
    documents.push_back(std::make_unique<TNotesDocument>(
        Target, sourceFolder->GetDocument(index)->GetUniversalID()));
  std::vector<const TNotesDocument*> filed;
  for (const auto& document : documents) filed.push_back(document.get());
  TNotesFolder(Target, Folder).AddDocuments(filed);
}

// A local copy of the server's database with its design and documents, under the same
// replica ID, as replicating it would make it.
void MakeLocalReplica(const std::string& FileName) {
  TNotesDatabase server;
  server.Open(DemoContent::Server, FileName);
  TNotesDatabase local;
  local.CreateNew("", FileName, server.GetFullName());
  local.SetReplicaInfo(server.GetReplicaInfo());
  FileLikeSource(server, local, Inbox);
}

// The owner manages their mail file, as Notes sets up a new user's mail file.
void AddOwner(TNotesDatabase& MailFile, const std::string& Owner) {
  TNotesACL& acl = MailFile.GetACL();
  TNotesACLEntry* owner = acl.CreateACLEntry(Owner);
  owner->SetAccessLevel(aclManager);
  owner->SetFlags({acfPerson, acfCreatePersonalAgents, acfCreatePersonalFolders, acfCreateFolders,
                   acfCreateLotusScript, acfPublicReader, acfPublicWriter});
  acl.Save();
}

}  // namespace

TDemoMail::TDemoMail(std::filesystem::path AttachmentDir, std::ostream& Progress)
    : FAttachmentDir(std::move(AttachmentDir)), FProgress(Progress) {}

void TDemoMail::CreateServer() {
  FProgress << "  mail server " << DemoContent::Server << " with MAIL.BOX and " << DirectoryFile
            << "\n";
  CheckNotesStatus(NotesRTCreateServer(DemoContent::Server));
  TAddressBookAdmin directory(DemoContent::Server, DirectoryFile);
  for (const TPersonFields& person : DemoContent::People()) directory.AddPerson(person);
  directory.AddGroup(DemoContent::GroupName, DemoContent::GroupMembers());
  FProgress << "  " << DemoContent::People().size() << " people and the group \""
            << DemoContent::GroupName << "\" in the directory\n";
}

// The server makes everybody's mail file, so that each owner alone (and the servers) gets in.
void TDemoMail::CreateMailFiles() {
  TActingAs server(DemoContent::Server);
  for (const TPersonFields& person : DemoContent::People()) {
    TNotesDatabase mailFile;
    mailFile.CreateNew(DemoContent::Server, person.MailFile, MailTemplate);
    mailFile.SetTitle(person.FirstName + " " + person.LastName);
    AddOwner(mailFile, person.FullName);
  }
  FProgress << "  " << DemoContent::People().size() << " mail files from " << MailTemplate << "\n";
}

void TDemoMail::SendSamples() {
  std::filesystem::create_directories(FAttachmentDir);
  for (const auto& mail : DemoContent::ReceivedMails()) Send(mail);
  for (const auto& mail : DemoContent::SentMails()) Send(mail);
  FProgress << "  " << DemoContent::ReceivedMails().size() + DemoContent::SentMails().size()
            << " sample mails sent to MAIL.BOX\n";
}

// Sent by the sender from their own mail file, which keeps a copy as a sent mail.
void TDemoMail::Send(const DemoContent::TSampleMail& Mail) {
  TActingAs sender(DemoContent::People()[Mail.Sender].FullName);
  TNotesDatabase mailFile;
  mailFile.Open(DemoContent::Server, DemoContent::People()[Mail.Sender].MailFile);
  mailFile.KeepSentCopy = true;
  std::unique_ptr<TNotesDocument> memo = NewMemo(mailFile, Mail);
  for (int index = 0; index < Mail.Attachments; ++index) memo->Attach(AttachmentFile(index));
  AttachFiles(*memo, Mail.Files);
  memo->Send(false, "");
}

// Files shown in the body get a hotspot at its end; the others are attached as the plug-in
// attaches a host's files.
void TDemoMail::AttachFiles(TNotesDocument& Memo,
                            const std::vector<DemoContent::TDemoFile>& Files) {
  std::unique_ptr<TNotesRichTextItem> body;
  for (const DemoContent::TDemoFile& file : Files) {
    const std::string path = WriteFile(file);
    if (!file.InBody) {
      Memo.Attach(path);
      continue;
    }
    if (!body) body = TNotesRichTextItem::Create(Memo, "Body");
    body->Attach(path, true);
  }
  if (body) body->SaveContext();
}

// Each in a folder of its own: two files of a mail may have one name.
std::string TDemoMail::WriteFile(const DemoContent::TDemoFile& File) {
  const std::filesystem::path folder = FAttachmentDir / std::to_string(++FFilesWritten);
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / File.Name;
  std::ofstream out(path, std::ios::binary);
  out << File.Bytes;
  if (!out.flush()) throw ELotusNotes(-1, "Cannot write the demo attachment " + path.string());
  return path.string();
}

std::string TDemoMail::AttachmentFile(int Index) {
  const char* const names[] = {"report.txt", "agenda.txt", "figures.csv"};
  const std::filesystem::path file = FAttachmentDir / names[Index % 3];
  std::ofstream(file) << "Sample attachment " << names[Index % 3] << "\n";
  return file.string();
}

void TDemoMail::Route() {
  DWORD delivered = 0, forwarded = 0, failed = 0, dead = 0;
  CheckNotesStatus(NotesRTRouteMail(DemoContent::Server, &delivered, &forwarded, &failed, &dead));
  FProgress << "  router: " << delivered << " delivered, " << failed << " failed\n";
  if (failed != 0 || dead != 0)
    throw ELotusNotes(-1, "The router could not deliver every demo mail");
}

void TDemoMail::WriteDrafts() {
  TNotesDatabase mailFile;
  mailFile.Open(DemoContent::Server, User().MailFile);
  for (const auto& draft : DemoContent::Drafts()) NewMemo(mailFile, draft)->Save();
  FProgress << "  " << DemoContent::Drafts().size() << " drafts\n";
}

void TDemoMail::MakeLocalReplicas() {
  MakeLocalReplica(User().MailFile);
  MakeLocalReplica(DirectoryFile);
  FProgress << "  local replicas of " << User().MailFile << " and " << DirectoryFile << "\n";
}
