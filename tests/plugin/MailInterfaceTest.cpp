// The mail operations of the registered object while it is not connected.
#include <gtest/gtest.h>

#include "Customintf.h"
#include "RegisteredMailFixture.h"
#include "StringList.h"

namespace {

class MailInterfaceTest : public RegisteredMailFixture {
 protected:
  void SetUp() override { RegisterMail(); }
  void TearDown() override { UnregisterMail(); }
};

TEST_F(MailInterfaceTest, GetMailEmptiesOnlyTheFourStrings) {
  TStringList Body;
  Body.Add("{\\rtf1 old body}");
  TStringList Attachments;
  Attachments.Add("old.pdf");
  TMailItemData Data;
  Data.NoteID = 7;
  Data.KeepSentCopy = true;
  Data.Date = 45000.5;
  Data.From = "Jane Doe";
  Data.SendTo = "John Doe";
  Data.CopyTo = "Team";
  Data.Subject = "Old subject";
  Data.Body = &Body;
  Data.Attachments = &Attachments;

  Mail->GetMail(42, "ignored", Data);
  EXPECT_EQ(Data.From, "");
  EXPECT_EQ(Data.SendTo, "");
  EXPECT_EQ(Data.CopyTo, "");
  EXPECT_EQ(Data.Subject, "");
  EXPECT_TRUE(Data.KeepSentCopy);
  EXPECT_EQ(Data.NoteID, 7);
  EXPECT_EQ(Data.Date, 45000.5);
  EXPECT_EQ(Data.Body, &Body);
  EXPECT_EQ(Data.Attachments, &Attachments);
  EXPECT_EQ(Body.Text(), "{\\rtf1 old body}\r\n");
  EXPECT_EQ(Attachments.Count(), 1);
}

TEST_F(MailInterfaceTest, DisconnectedOperationsDoNothingHandOutNoListAndConnectFailsQuietly) {
  TStringList Stale;
  for (int Folder : {0, 1, 2, 3, 4, 255}) {
    TStringList* List = &Stale;
    Mail->GetMailItems(static_cast<mfType>(Folder), List);
    EXPECT_EQ(List, nullptr) << "folder " << Folder;
  }
  TMailItemData Data;
  Data.Subject = "kept";
  Mail->SendMail(Data);
  Mail->MailToFolder(Data, mfDrafts);
  EXPECT_FALSE(Mail->Detach(1, "", "file.txt", Env.Root() / "file.txt"));
  EXPECT_FALSE(std::filesystem::exists(Env.Root() / "file.txt"));
  Mail->CreateModul();
  Mail->DestroyModule();
  Mail->SetAuxFolder("a", "b");
  Mail->DisConnect();
  EXPECT_FALSE(Mail->IsConnected());
  EXPECT_EQ(Data.Subject, "kept");
  EXPECT_FALSE(Mail->Connect());
  EXPECT_FALSE(Mail->IsConnected());
}

}  // namespace
