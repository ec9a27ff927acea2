// Connect, DisConnect and GetMailItems of the real plug-in module on a mail file made from the
// mail template: the lines the host gets for each folder.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "Customintf.h"
#include "DateUtils.h"
#include "NotesSession.h"
#include "RegisteredMailFixture.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFolder.h"
#include "TNotesItem.h"

namespace {

class MailItemsTest : public RegisteredMailFixture {
 protected:
  void SetUp() override {
    NotesObjectsInitialize();
    OSSetEnvironmentVariable("NotesRT_UserName", "CN=Jane Doe/O=Acme");
    OSSetEnvironmentVariable("MailFile", "mail/jdoe.nsf");
    std::filesystem::create_directories(Env.DataDir() / "mail");
    FMailFile = std::make_unique<TNotesDatabase>();
    FMailFile->CreateNew("", "mail/jdoe.nsf", "mail.ntf");
    RegisterMail();
  }
  void TearDown() override {
    Mail->DisConnect();
    UnregisterMail();
    FMailFile.reset();
    NotesObjectsFinalize();
  }

  // A received mail filed into the inbox; returns its line as the host must get it.
  std::string Received(const std::string& From, const std::string& SendTo,
                       const std::string& Subject, int Attachments = 0) {
    auto mail = FMailFile->CreateDocument();
    mail->SetItemByNum(MAIL_FORM_ITEM_NUM, "Memo");
    if (!From.empty()) mail->SetItemByNum(MAIL_FROM_ITEM_NUM, From);
    if (!SendTo.empty()) mail->SetItemByNum(MAIL_SENDTO_ITEM_NUM, SendTo);
    if (!Subject.empty()) mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Subject);
    mail->GetItemByName("DeliveredDate")->SetAsDateTime(Now());
    for (int i = 0; i < Attachments; ++i) mail->Attach(AttachmentFile(i));
    mail->Save();
    TNotesFolder inbox(*FMailFile, "($Inbox)");
    inbox.AddDocument(*mail);
    return ExpectedStart(*mail);
  }
  std::string AttachmentFile(int Index) {
    std::filesystem::path file = Env.Root() / ("file" + std::to_string(Index) + ".txt");
    std::ofstream(file) << "attachment " << Index;
    return file.string();
  }
  // Note ID and last-modified time in the host's regional format.
  static std::string ExpectedStart(TNotesDocument& Mail) {
    TNotesDocument saved(Mail.Database(), Mail.NoteID());
    return std::to_string(Mail.NoteID()) + "|" + DateTimeToStr(saved.GetLastModified()) + "|";
  }

  Lines MailItems(mfType Folder) {
    TStringList* List = nullptr;
    Mail->GetMailItems(Folder, List);
    EXPECT_NE(List, nullptr);
    return LinesOf(List);
  }

  std::unique_ptr<TNotesDatabase> FMailFile;
};

TEST_F(MailItemsTest, InboxLinesHaveSixFieldsInTheirPlacesAndShowTheMailFileAsItIsNow) {
  ASSERT_TRUE(Mail->Connect());
  EXPECT_EQ(MailItems(mfInbox), Lines{});
  const std::string first = Received("CN=John Smith/O=Acme", "Jane Doe", "Hello", 2);
  const std::string second = Received("Ann", "Jane Doe, Bob", "Second");
  const std::string blank = Received("Ann", "", "");
  // A bar or a line break inside a field would make more fields or lines.
  const std::string bars = Received("A|B", "x|y", "one\r\ntwo\nthree|four");
  Lines lines = MailItems(mfInbox);
  EXPECT_EQ(lines, (Lines{first + "CN=John Smith/O=Acme|Jane Doe|Hello|2",
                          second + "Ann|Jane Doe, Bob|Second|0", blank + "Ann| | |0",
                          bars + "A/B|x/y|one two three/four|0"}));
  // The date is the regional short date and long time, here the C locale's.
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(std::regex_search(lines[0], std::regex(R"(^\d+\|\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\|)")))
      << lines[0];
  EXPECT_EQ(MailItems(static_cast<mfType>(4)), Lines{}) << "a folder value outside the four";
}

TEST_F(MailItemsTest, SentAndOutboxListTheSentViewAndDraftsTheUnsent) {
  ASSERT_TRUE(Mail->Connect());
  FMailFile->KeepSentCopy = true;
  auto memo = FMailFile->CreateDocument();
  memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "John Smith");
  memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Sent one");
  TNotesDatabase().CreateNew("", "MAIL.BOX", "");
  memo->Send(false, "");
  const std::string start = ExpectedStart(*memo);
  Lines sent = MailItems(mfSent);
  EXPECT_EQ(sent, (Lines{start + "CN=Jane Doe/O=Acme|John Smith|Sent one|0"}));
  EXPECT_EQ(MailItems(mfOutbox), sent);
  EXPECT_EQ(MailItems(mfInbox), Lines{});
  // Drafts are the documents neither posted nor delivered.
  auto draft = FMailFile->CreateDocument();
  draft->SetItemByNum(MAIL_FORM_ITEM_NUM, "Memo");
  draft->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Unfinished");
  draft->Save();
  EXPECT_EQ(MailItems(mfDrafts), (Lines{ExpectedStart(*draft) + "| |Unfinished|0"}));
}

TEST_F(MailItemsTest, DisConnectOrAFailedConnectStopsTheListing) {
  Received("Ann", "Jane", "x");
  ASSERT_TRUE(Mail->Connect());
  ASSERT_TRUE(Mail->Connect()) << "connecting again reopens the mail file";
  Mail->DisConnect();
  EXPECT_FALSE(Mail->IsConnected());
  TStringList* List = nullptr;
  Mail->GetMailItems(mfInbox, List);
  EXPECT_EQ(List, nullptr);
  Mail->DisConnect();
  EXPECT_FALSE(Mail->IsConnected());
  ASSERT_TRUE(Mail->Connect());
  // Without a mail file Connect fails quietly, and drops the connection made before.
  for (const char* file : {"mail/missing.nsf", ""}) {
    OSSetEnvironmentVariable("MailFile", file);
    EXPECT_FALSE(Mail->Connect()) << file;
    EXPECT_FALSE(Mail->IsConnected()) << file;
    Mail->GetMailItems(mfInbox, List);
    EXPECT_EQ(List, nullptr) << file;
  }
}

}  // namespace
