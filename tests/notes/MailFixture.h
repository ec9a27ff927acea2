#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "NotesSession.h"
#include "TAddressBookAdmin.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"
#include "TestNotesEnv.h"

// The set-up of MailFixture in the environment whose root is Root (its user, mail server and
// mail file set): the server's directory, MAIL.BOX and both mail files. Returns Jane's mail file,
// open.
inline std::unique_ptr<TNotesDatabase> MakeMailServer(const std::filesystem::path& Root);
inline std::filesystem::path MailServerDir(const std::filesystem::path& Root) {
  // The runtime's directory for the server CN=Mail1/O=Acme.
  return Root / "servers" / "CN=MAIL1%2FO=ACME";
}

// A mail set-up in a private Notes environment: the current user Jane Doe, whose mail file
// mail/jdoe.nsf lies on the mail server Mail1; the server has a directory (names.nsf) listing
// Jane and John Smith, a router mailbox (MAIL.BOX) and both mail files, made from the mail
// template. The object library is started and the user's mail file is open.
class MailFixture : public testing::Test {
 public:
  static constexpr const char* Server = "CN=Mail1/O=Acme";
  static constexpr const char* User = "CN=Jane Doe/O=Acme";
  static constexpr const char* Other = "CN=John Smith/O=Acme";

 protected:
  MailFixture()
      : FEnv({{"NotesRT_UserName", User}, {"MailServer", Server}, {"MailFile", "mail/jdoe.nsf"}}) {}
  void SetUp() override {
    NotesObjectsInitialize();
    FMail = MakeMailServer(FEnv.Root());
  }
  void TearDown() override {
    FMail.reset();
    NotesObjectsFinalize();
  }

  std::filesystem::path ServerDir() const { return MailServerDir(FEnv.Root()); }
  // Documents in the server's MAIL.BOX.
  int MailBoxCount() { return DocumentCount(Server, "MAIL.BOX"); }
  // The documents of a database, opened afresh.
  int DocumentCount(const std::string& ServerName, const std::string& FileName) {
    TNotesDatabase database;
    database.Open(ServerName, FileName);
    return database.Search("", 0)->Count();
  }
  // A new memo in the user's mail file, addressed and with a subject, not saved.
  std::unique_ptr<TNotesDocument> NewMemo(const std::string& SendTo, const std::string& Subject) {
    std::unique_ptr<TNotesDocument> memo = FMail->CreateDocument();
    memo->SetItemByNum(MAIL_FORM_ITEM_NUM, MAIL_MEMO_FORM);
    memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, SendTo);
    memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Subject);
    return memo;
  }

  vesktest::TestNotesEnv FEnv;
  std::unique_ptr<TNotesDatabase> FMail;
};

inline std::unique_ptr<TNotesDatabase> MakeMailServer(const std::filesystem::path& Root) {
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

// Trials of a kill test: VESK_KILL_TRIALS, else 30 (the soak targets run 1,000).
inline int KillTrials() {
  const char* trials = std::getenv("VESK_KILL_TRIALS");
  return trials ? std::atoi(trials) : 30;
}
