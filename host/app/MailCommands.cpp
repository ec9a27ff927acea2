#include "MailCommands.h"

#include <memory>

#include "ELotusNotes.h"
#include "Exception.h"
#include "InterruptBreak.h"
#include "MailHostOptions.h"
#include "MailListText.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesPaths.h"
#include "RichMailBody.h"
#include "RouteProgress.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "notesapi/notesrt.h"

namespace {

mfType FolderOf(const std::string& Name) {
  if (Name == "inbox") return mfInbox;
  if (Name == "outbox") return mfOutbox;
  if (Name == "sent") return mfSent;
  if (Name == "drafts") return mfDrafts;
  throw Exception("Unknown folder " + Name);
}

std::string MailServer() {
  return Lmbcs2Native(TNotesDatabase::MailServer());
}

// Without the setting there is nothing to open; say where it belongs.
void RequireMailFileSetting() {
  if (!TNotesDatabase::MailFileName().empty()) return;
  throw Exception("No mail file is set up: the setting MailFile is missing in " +
                  GetNotesIniFile());
}

bool IsDamage(int32_t Status) {
  return Status == ERR_NOT_NSF || Status == ERR_NSF_VERSION;
}

}  // namespace

// The plug-in's Connect says only that it failed: the same open tells why, and a damaged file
// is named with the command that repairs it.
void ConnectOrRaise(IMailInterface& Mail) {
  RequireMailFileSetting();
  if (Mail.Connect()) return;
  const std::string File = Lmbcs2Native(TNotesDatabase::MailFileName());
  std::string Where =
      MailServer().empty() ? "on this machine" : "on the mail server \"" + MailServer() + "\"";
  std::string Why = "it cannot be opened";
  try {
    TNotesDatabase().OpenMail();
  } catch (const ELotusNotes& Error) {
    Why = Error.what();
    if (IsDamage(Error.Status))
      Why += "; the file is damaged or no Notes database: repair it with \"nabadmin fixup " + File +
             (MailServer().empty() ? "" : " --server '" + MailServer() + "'") + "\"";
  }
  throw Exception("Cannot open the mail file \"" + File + "\" (setting MailFile) " + Where + ": " +
                  Why);
}

namespace {

// A send that was stopped (killed, the machine down) after keeping its copy is finished first.
void CompletePendingSends(TNotesDatabase& Database, std::ostream& Out) {
  if (const int Sent = Database.CompletePendingSends())
    Out << "sent " << Sent << (Sent == 1 ? " mail" : " mails")
        << " that an earlier send had left unfinished\n";
}

}  // namespace

void ConnectMail(IMailInterface& Mail, std::ostream& Out) {
  ConnectOrRaise(Mail);
  // The plug-in does not say where it connected; the same open tells.
  TNotesDatabase Database;
  Database.OpenMail();
  if (!Database.ServerName().empty()) CompletePendingSends(Database, Out);
  Out << "connected to the mail file " << Database.FileName();
  if (!Database.ServerName().empty())
    Out << " on the mail server " << Database.ServerName() << "\n";
  else if (!MailServer().empty())
    Out << ", the local replica: the mail server " << MailServer() << " cannot be reached\n";
  else
    Out << " on this machine\n";
}

void ListMail(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out) {
  ConnectOrRaise(Mail);
  TStringList* Lines = nullptr;
  std::unique_ptr<TStringList> Owned;
  try {
    Mail.GetMailItems(FolderOf(Options.Folder), Lines);
  } catch (...) {
    Owned.reset(Lines);
    throw;
  }
  Owned.reset(Lines);
  Mail.DisConnect();
  if (Owned) WriteMailList(*Owned, Options.Raw, Out);
}

void SendMail(const TMailHostOptions& Options, std::ostream& Out) {
  RequireMailFileSetting();
  TNotesDatabase Database;
  Database.OpenMail();
  CompletePendingSends(Database, Out);
  Database.KeepSentCopy = true;
  std::unique_ptr<TNotesDocument> Memo = Database.CreateDocument();
  Memo->SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
  Memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, Options.SendTo);
  if (!Options.CopyTo.empty()) Memo->SetItemByNum(MAIL_COPYTO_ITEM_NUM, Options.CopyTo);
  Memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Options.Subject);
  if (Options.Urls.empty() && Options.Links.empty())
    Memo->SetBodyAsString(Options.Text);
  else
    WriteRichMailBody(*Memo, Options);
  Memo->Send(false, "");
  const std::string Server = MailServer();
  Out << "sent to " << Memo->GetRecipients() << " through MAIL.BOX on "
      << (Server.empty() ? "this machine" : Server) << "; \"vesk-mail route\" delivers it\n";
}

// Ctrl+C stops the pass between two mails; what was delivered stays delivered, and the next pass
// goes on with the rest.
void RouteMail(std::ostream& Out) {
  const std::string Server = MailServer();
  DWORD Delivered = 0, Forwarded = 0, Failed = 0, Dead = 0;
  TInterruptBreak Interrupt;
  TRouteProgress Progress;
  const STATUS Status =
      NotesRTRouteMail(Native2Lmbcs(Server).c_str(), &Delivered, &Forwarded, &Failed, &Dead);
  // What a stopped pass did stays done, so it is said as well.
  Out << "router pass on " << (Server.empty() ? "this machine" : Server) << ": " << Delivered
      << " delivered, " << Forwarded << " forwarded, " << Failed << " failed, " << Dead
      << " dead\n";
  CheckNotesStatus(Status);
}
