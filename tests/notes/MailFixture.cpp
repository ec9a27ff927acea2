#include "MailFixture.h"

#include <map>

#include "TAddressBookAdmin.h"
#include "TNotesDocumentCollection.h"

namespace {

std::map<std::string, std::string> MailSettings() {
  return {{"NotesRT_UserName", "CN=Jane Doe/O=Acme"},
          {"MailServer", "CN=Mail1/O=Acme"},
          {"MailFile", "mail/jdoe.nsf"}};
}

}  // namespace

MailFixture::MailFixture() : FEnv(MailSettings()) {}

void MailFixture::SetUp() {
  NotesObjectsInitialize();
  FMail = MakeMailServer(FEnv.Root());
}

std::unique_ptr<TNotesDatabase> MakeMailServer(const std::filesystem::path& Root) {
  const char* Server = MailFixture::Server;
  std::filesystem::create_directories(MailServerDir(Root) / "mail");
  OSSetEnvironmentVariable("NotesRT_ServersDir", (Root / "servers").c_str());
  TAddressBookAdmin::CreateBook(Server, "names.nsf", "Acme Directory");
  {
    // The administration acts as the server only while it lives: Jane makes the databases below
    // and is their Manager.
    TAddressBookAdmin directory(Server, "names.nsf");
    directory.AddPerson({"Jane", "Doe", "Acme", MailFixture::User, "jdoe", "jane@acme.example", "",
                         Server, "mail/jdoe.nsf"});
    directory.AddPerson({"John", "Smith", "Acme", MailFixture::Other, "jsmith", "john@acme.example",
                         "", Server, "mail/jsmith.nsf"});
  }
  TNotesDatabase().CreateNew(Server, "MAIL.BOX", "");
  TNotesDatabase().CreateNew(Server, "mail/jsmith.nsf", "mail.ntf");
  auto mail = std::make_unique<TNotesDatabase>();
  mail->CreateNew(Server, "mail/jdoe.nsf", "mail.ntf");
  return mail;
}

std::filesystem::path MailServerDir(const std::filesystem::path& Root) {
  // The runtime's directory for the server CN=Mail1/O=Acme.
  return Root / "servers" / "CN=MAIL1%2FO=ACME";
}

void MailFixture::TearDown() {
  FMail.reset();
  NotesObjectsFinalize();
}

std::filesystem::path MailFixture::ServerDir() const {
  return MailServerDir(FEnv.Root());
}

int MailFixture::MailBoxCount() {
  return DocumentCount(Server, "MAIL.BOX");
}

int MailFixture::DocumentCount(const std::string& ServerName, const std::string& FileName) {
  TNotesDatabase database;
  database.Open(ServerName, FileName);
  return database.Search("", 0)->Count();
}

std::unique_ptr<TNotesDocument> MailFixture::NewMemo(const std::string& SendTo,
                                                     const std::string& Subject) {
  std::unique_ptr<TNotesDocument> memo = FMail->CreateDocument();
  memo->SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
  memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, SendTo);
  memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Subject);
  return memo;
}
