// Header items, recipients, plain-text bodies and address checks of a mail document.
#include <memory>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "ListLines.h"
#include "MailFixture.h"
#include "NotesErrorOf.h"
#include "StringList.h"
#include "TNotesItem.h"

namespace {

using Strings = std::vector<std::string>;

class MailMessageTest : public MailFixture {
 protected:
  void SetUp() override {
    MailFixture::SetUp();
    FMemo = FMail->CreateDocument();
  }
  void TearDown() override {
    FMemo.reset();
    MailFixture::TearDown();
  }

  // The "Recipients" entries as stored.
  Strings StoredRecipients() {
    if (!FMemo->IsItemExists("Recipients")) return {};
    TNotesItem* item = FMemo->GetItemByName("Recipients");
    EXPECT_EQ(item->DataType(), TYPE_TEXT_LIST);
    return vesktest::LinesOf(item->GetAsStrings());
  }

  std::string CheckAddressError() {
    return NotesErrorOf([&] { FMemo->CheckAddress(); });
  }
  static std::string NotFound(const std::string& Name) {
    return "-1 Cannot find address \"" + Name + "\" on server CN=Mail1/O=Acme";
  }

  std::unique_ptr<TNotesDocument> FMemo;
};

TEST_F(MailMessageTest, RecipientsAreTrimmedAndHeaderValuesReadBackWholeInTheirOwnCharacters) {
  FMemo->SetRecipients(" , ,");
  EXPECT_FALSE(FMemo->IsItemExists("Recipients")) << "naming nobody writes nothing";
  EXPECT_EQ(FMemo->GetRecipients(), "");
  FMemo->SetRecipients("p, q, r");
  EXPECT_EQ(StoredRecipients(), (Strings{"p", "q", "r"}));
  FMemo->SetRecipients(",a,");
  EXPECT_EQ(StoredRecipients(), (Strings{"a"})) << "a new list replaces the old one";
  FMemo->SetRecipients("  x  ,, ,y");
  EXPECT_EQ(StoredRecipients(), (Strings{"x", "y"}));
  EXPECT_EQ(FMemo->GetRecipients(), "x, y");
  // Header values read back whole, in their own characters; missing ones are empty.
  std::string many;
  for (int i = 0; i < 300; ++i)
    many += (i ? ", " : "") + std::string("Person Number ") + std::to_string(i);
  ASSERT_GT(many.size(), 4096u);
  FMemo->SetRecipients(many);
  EXPECT_EQ(FMemo->GetRecipients(), many);
  const std::string subject(5000, 's');
  FMemo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, subject);
  EXPECT_EQ(FMemo->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), subject);
  const std::string name = "Jürgen Weiß";
  FMemo->SetRecipients(name + ", Zoë");
  EXPECT_EQ(FMemo->GetRecipients(), name + ", Zoë");
  FMemo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Grüße – 10 €");
  EXPECT_EQ(FMemo->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "Grüße – 10 €");
  EXPECT_EQ(FMemo->GetItemByNum(MAIL_FORM_ITEM_NUM), "");
  EXPECT_EQ(FMemo->GetItemByNum(MAIL_BLINDCOPYTO_ITEM_NUM), "");
  EXPECT_THROW(FMemo->GetItemByNum(200), ELotusNotes);
  EXPECT_THROW(FMemo->SetItemByNum(200, "x"), ELotusNotes);
}

TEST_F(MailMessageTest, ANewBodyReplacesEveryOldItemAndOneOfMoreThan65535LinesIsWrittenWhole) {
  FMemo->SetBodyAsString("old");
  TNotesItem* body = FMemo->GetItemByName("Body");
  const DWORD oldLength = body->ValueLength();
  FMemo->SetBodyAsString("a much longer new body text");
  EXPECT_GT(body->ValueLength(), oldLength);
  EXPECT_EQ(body->DataType(), TYPE_COMPOSITE);
  FMemo->SetBodyAsString("kept");
  FMemo->SetBodyAsString("");
  TStringList none;
  FMemo->SetBodyAsMemo(none);
  ASSERT_TRUE(FMemo->IsItemExists("Body"));
  EXPECT_EQ(FMemo->CountMultipleItems("Body"), 1);
  FMemo->SetBodyAsString("old line 1\r\nold line 2");
  FMemo->SetBodyAsString("new text");
  EXPECT_EQ(FMemo->CountMultipleItems("Body"), 1);
  EXPECT_EQ(FMemo->GetItemByName("Body")->DataType(), TYPE_COMPOSITE);
  FMemo->Save();
  TNotesDocument reread(*FMail, FMemo->NoteID());
  EXPECT_EQ(reread.CountMultipleItems("Body"), 1);
  // A body of more than 65,535 lines is written whole: every line is at least a paragraph
  // record and its text, far beyond what 65,535 lines give.
  const auto bodySize = [](TNotesDocument& Document, int Lines) {
    TStringList lines;
    for (int i = 0; i < Lines; ++i) lines.Add(std::to_string(i));
    Document.SetBodyAsMemo(lines);
    DWORD total = 0;
    for (const auto& item : Document.LoadMultipleItems("Body")) total += item->ValueLength();
    return total;
  };
  TNotesDocument shorter(*FMail);
  EXPECT_GT(bodySize(*FMemo, 70000), bodySize(shorter, 65535));
}

// A body written as text reads back as its lines, and is no list of lines.
TEST_F(MailMessageTest, ABodyIsNoListOfLinesNorTheLinesOfABodyItReplaced) {
  FMemo->SetBodyAsString("Grüße\r\n\r\nsecond line");
  EXPECT_EQ(FMemo->GetBodyAsString(), "Grüße\r\n\r\nsecond line\r\n");
  EXPECT_EQ(FMemo->GetBodyAsMemo().Count(), 0);
  TNotesItem* body = FMemo->GetItemByName("Body");
  ASSERT_EQ(body->GetRichText().Count(), 3);
  FMemo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "another item written");
  EXPECT_EQ(body->GetAsStrings().Count(), 3) << "lines of the unchanged body";
  FMemo->SetBodyAsString("three");
  EXPECT_EQ(FMemo->GetBodyAsMemo().Count(), 0) << "lines of the replaced body";
}

TEST_F(MailMessageTest, OnlyKnownAddresseesPassAndTheFirstUnknownIsNamedSendToFirst) {
  EXPECT_EQ(CheckAddressError(), "no error") << "no addresses";
  FMemo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "John Smith, jane@acme.example");
  FMemo->SetRecipients("CN=John Smith/O=Acme,jdoe");
  EXPECT_EQ(CheckAddressError(), "no error");
  FMemo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "John Smith, Nobody Known, Other Unknown");
  FMemo->SetRecipients("First Unknown");
  EXPECT_EQ(CheckAddressError(), NotFound("Nobody Known"));
  FMemo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "John Smith");
  EXPECT_EQ(CheckAddressError(), NotFound("First Unknown"));
  FMemo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "Jürgen Weiß");  // checked in its own characters
  EXPECT_EQ(CheckAddressError(), NotFound("Jürgen Weiß"));
}

}  // namespace
