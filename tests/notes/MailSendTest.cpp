// Sending through the mail server's router mailbox, keeping sent copies, and the failures.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "ELnSentCopyFailed.h"
#include "ELotusNotes.h"
#include "MailFixture.h"
#include "NotesErrorOf.h"
#include "StringList.h"
#include "TNotesDocumentCollection.h"
#include "TNotesItem.h"
#include "TNotesView.h"

namespace {

class MailSendTest : public MailFixture {
 protected:
  // The only document in MAIL.BOX.
  std::unique_ptr<TNotesDocument> Deposited() {
    FMailBox = std::make_unique<TNotesDatabase>();
    FMailBox->Open(Server, "MAIL.BOX");
    auto all = FMailBox->Search("", 0);
    EXPECT_EQ(all->Count(), 1);
    return all->Count() == 1 ? all->GetDocument(0) : nullptr;
  }
  DBHANDLE DatabaseOf(const TNotesDocument& Document) {
    DBHANDLE database = NULLHANDLE;
    NSFNoteGetInfo(Document.NoteHandle(), _NOTE_DB, &database);
    return database;
  }
  static bool SameUnid(const UNIVERSALNOTEID& A, const UNIVERSALNOTEID& B) {
    return std::memcmp(&A, &B, sizeof(A)) == 0;
  }

  std::unique_ptr<TNotesDatabase> FMailBox;
};

// Send completes the header; recipients given to it win over the address items, which count
// SendTo first; a memo stored with its form carries the form's design items.
TEST_F(MailSendTest, SendCompletesTheHeaderWithTheCallersElseTheAddressItemsRecipients) {
  const struct {
    const char* Name;
    std::function<void(TNotesDocument&)> Address;
    bool StoreForm;
    const char* Given;
    const char* Recipients;
  } cases[] = {{"address items",
                [](TNotesDocument& Memo) {
                  TStringList sendTo;
                  sendTo.SetText("John Smith\r\n Jane Doe");
                  Memo.GetItemByName("SendTo")->SetAsStrings(&sendTo);
                  Memo.GetItemByName("CopyTo")->SetAsString("Copy Person");
                  Memo.GetItemByName("BlindCopyTo")->SetAsString("Hidden Person");
                },
                false, "", "John Smith, Jane Doe, Copy Person, Hidden Person"},
               {"given", [](TNotesDocument& Memo) { Memo.DeleteItem("Form"); }, false,
                "Jane Doe , ", "Jane Doe"},
               {"stored form", [](TNotesDocument& Memo) { Memo.DeleteItem("Form"); }, true, "",
                "John Smith"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto memo = NewMemo("John Smith", c.Name);
    memo->SetBodyAsString("At noon?");
    c.Address(*memo);
    memo->Send(c.StoreForm, c.Given);
    auto mail = Deposited();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->GetRecipients(), c.Recipients);
    if (!c.StoreForm) {
      EXPECT_EQ(mail->GetItemByNum(MAIL_FORM_ITEM_NUM), "Memo");
    }
    EXPECT_EQ(mail->GetItemByNum(MAIL_FROM_ITEM_NUM), User);
    EXPECT_EQ(mail->GetItemByName("Principal")->GetAsString(), User);
    EXPECT_EQ(mail->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), c.Name);
    EXPECT_EQ(mail->GetItemByName("PostedDate")->DataType(), TYPE_TIME);
    EXPECT_TRUE(mail->IsItemExists("Body"));
    EXPECT_EQ(mail->IsItemExists("$TITLE"), c.StoreForm);
    FMailBox->Delete(mail->NoteID());
  }
}

// A mail without recipients, or one for a mail server that cannot be reached, is refused
// before anything is deposited; the document stays in the mail file.
TEST_F(MailSendTest, AMailWithoutRecipientsOrMailServerDepositsNothing) {
  FMail->KeepSentCopy = true;
  auto memo = NewMemo("", "nobody");
  const std::string refusal = NotesErrorOf([&] { memo->Send(false, " , "); });
  EXPECT_EQ(refusal.rfind("-1 ", 0), 0u) << refusal;
  EXPECT_NE(refusal.find("No recipients"), std::string::npos) << refusal;
  EXPECT_EQ(MailBoxCount(), 0);
  EXPECT_EQ(FMail->Search("", 0)->Count(), 0);
  EXPECT_EQ(DatabaseOf(*memo), FMail->Handle());
  EXPECT_THROW(FMail->SendMail("", "Report", "text"), ELotusNotes);
  FMail->KeepSentCopy = false;
  auto stays = NewMemo("John Smith", "stays");
  OSSetEnvironmentVariable("MailServer", "CN=Down/O=Acme");
  EXPECT_THROW(stays->Send(false, ""), ELotusNotes);
  OSSetEnvironmentVariable("MailServer", Server);
  EXPECT_EQ(MailBoxCount(), 0);
  EXPECT_EQ(DatabaseOf(*stays), FMail->Handle());
  stays->Save();
  EXPECT_EQ(FMail->Search("", 0)->Count(), 1);
}

TEST_F(MailSendTest, WithoutKeepSentCopyTheDocumentBelongsToTheMailBox) {
  auto memo = NewMemo("John Smith", "gone");
  memo->Send(false, "");
  EXPECT_NE(DatabaseOf(*memo), FMail->Handle());
  EXPECT_EQ(MailBoxCount(), 1);
  EXPECT_EQ(FMail->Search("", 0)->Count(), 0);
}

TEST_F(MailSendTest, KeepSentCopyStoresTheSentMailUnderItsOwnIdentity) {
  FMail->KeepSentCopy = true;
  auto memo = NewMemo("John Smith", "kept");
  const UNIVERSALNOTEID unid = memo->GetUniversalID();
  memo->Send(false, "");
  EXPECT_EQ(DatabaseOf(*memo), FMail->Handle());
  ASSERT_NE(memo->NoteID(), 0u);
  TNotesDocument copy(*FMail, unid);
  EXPECT_EQ(copy.GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "kept");
  EXPECT_TRUE(copy.IsItemExists("PostedDate"));
  auto mail = Deposited();
  ASSERT_TRUE(mail);
  EXPECT_FALSE(SameUnid(mail->GetUniversalID(), unid)) << "the mailbox holds a new note";
  TNotesView* sent = FMail->GetViews("($Sent)");
  ASSERT_NE(sent, nullptr);
  ASSERT_EQ(sent->Count(), 1);
  EXPECT_EQ(sent->GetDocumentId(0), static_cast<int32_t>(memo->NoteID()));
  // A saved draft sent stays one document.
  FMailBox->Delete(mail->NoteID());
  auto draft = NewMemo("John Smith", "draft");
  draft->Save();
  const NOTEID draftID = draft->NoteID();
  draft->Send(false, "");
  EXPECT_EQ(draft->NoteID(), draftID);
  EXPECT_EQ(FMail->Search("", 0)->Count(), 2);
  EXPECT_EQ(MailBoxCount(), 1);
}

TEST_F(MailSendTest, ACopyThatCannotBeKeptSendsNothing) {
  FMail->KeepSentCopy = true;
  auto draft = NewMemo("John Smith", "not sent");
  draft->Save();
  // Someone else deletes the draft while it is open here: its copy cannot be saved back.
  TNotesDatabase elsewhere;
  elsewhere.Open(Server, "mail/jdoe.nsf");
  elsewhere.Delete(draft->NoteID());
  try {
    draft->Send(false, "");
    FAIL() << "no error";
  } catch (const ELnSentCopyFailed& Error) {
    FAIL() << "said sent: " << Error.what();
  } catch (const ELotusNotes& Error) {
    EXPECT_NE(Error.Status, 0);
  }
  EXPECT_EQ(MailBoxCount(), 0);
}

TEST_F(MailSendTest, SendMailMakesASignedMemoAndReplyMailAnswersTheSender) {
  FMail->SendMail("John Smith, Jane Doe", "Report", "line 1\r\nline 2");
  auto mail = Deposited();
  ASSERT_TRUE(mail);
  EXPECT_EQ(mail->GetItemByNum(MAIL_FORM_ITEM_NUM), "Memo");
  EXPECT_EQ(mail->GetItemByNum(MAIL_SENDTO_ITEM_NUM), "John Smith, Jane Doe");
  EXPECT_EQ(mail->GetRecipients(), "John Smith, Jane Doe");
  EXPECT_EQ(mail->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "Report");
  std::string signer, certifier;
  EXPECT_TRUE(mail->GetSignature(signer, certifier, nullptr));
  EXPECT_EQ(signer, User);
  EXPECT_EQ(FMail->Search("", 0)->Count(), 0) << "KeepSentCopy is off";
  // ReplyMail answers the sender.
  FMailBox->Delete(mail->NoteID());
  auto original = NewMemo(User, "Question");
  original->SetItemByNum(MAIL_FROM_ITEM_NUM, Other);
  original->Save();
  FMail->ReplyMail(*original, "Answer");
  auto reply = Deposited();
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->GetItemByNum(MAIL_FORM_ITEM_NUM), "Reply");
  EXPECT_EQ(reply->GetItemByNum(MAIL_SENDTO_ITEM_NUM), Other);
  EXPECT_EQ(reply->GetRecipients(), Other);
  EXPECT_EQ(reply->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "Re: Question");
  EXPECT_EQ(reply->CountMultipleItems("Subject"), 1);
  EXPECT_TRUE(reply->IsItemExists("$REF"));
}

// Subject of every document of Database that Formula selects, with how often it occurs.
std::map<std::string, int> Subjects(TNotesDatabase& Database, const std::string& Formula) {
  std::map<std::string, int> subjects;
  auto found = Database.Search(Formula, 0);
  for (int index = 0; index < found->Count(); ++index)
    ++subjects[found->GetDocument(index)->GetItemByNum(MAIL_SUBJECT_ITEM_NUM)];
  return subjects;
}

// A sender killed at any moment leaves nothing sent, or the mail in MAIL.BOX with its sent
// copy, or a copy marked as not yet sent that the next CompletePendingSends sends: after that,
// every mail in MAIL.BOX has exactly one sent copy and every sent copy one mail.
// VESK_KILL_TRIALS sets the number of trials (the soak target runs 1,000).
TEST_F(MailSendTest, AKilledSendLeavesEveryMailWithItsSentCopy) {
  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  TNotesDatabase mailBox;
  mailBox.Open(Server, "MAIL.BOX");
  int pending = 0;
  // A loaded machine slows the child down: while no kill has fallen between keeping a copy and
  // marking it sent, trials go on past the planned number, waiting longer before the kill.
  const int trials = KillTrials();
  for (int trial = 0; trial < trials || (pending == 0 && trial < 8 * trials); ++trial) {
    const unsigned spread = 40000u << std::min(trial / trials, 3);
    {
      vesktest::ChildProcess child({SEND_CHILD_PATH, "trial " + std::to_string(trial) + " mail "});
      std::string sending;  // the child has begun its first send
      ASSERT_TRUE(child.ReadLine(sending)) << "trial " << trial;
      std::this_thread::sleep_for(std::chrono::microseconds(random() % spread));
    }
    pending += FMail->Search("@IsAvailable($PendingDeposit)", 0)->Count();
    FMail->CompletePendingSends();
    const auto deposited = Subjects(mailBox, "");
    const auto sent = Subjects(*FMail, "@IsAvailable(PostedDate)");
    ASSERT_EQ(sent, deposited) << "trial " << trial << ", seed " << seed;
    for (const auto& [subject, count] : deposited)
      ASSERT_EQ(count, 1) << subject << " deposited twice; seed " << seed;
    ASSERT_EQ(FMail->Search("@IsAvailable($PendingDeposit)", 0)->Count(), 0);
  }
  EXPECT_GT(pending, 0) << "no kill fell between keeping a copy and marking it sent";
}

}  // namespace
