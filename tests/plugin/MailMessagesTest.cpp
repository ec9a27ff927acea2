// GetMail, Detach, SendMail and MailToFolder of the real plug-in module against a mail server:
// mails sent, routed, read back and their attachments saved byte for byte.
#include <gtest/gtest.h>

#include <fstream>

#include "Customintf.h"
#include "ELotusNotes.h"
#include "ErrorOf.h"
#include "FileText.h"
#include "MailFixture.h"
#include "NotesCharset.h"
#include "NotesSession.h"
#include "RegisteredMailFixture.h"
#include "RichTextFixture.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"
#include "TempDir.h"
#include "notesapi/notesrt.h"

namespace {

namespace fs = std::filesystem;

class MailMessagesTest : public RegisteredMailFixture {
 protected:
  void SetUp() override {
    NotesObjectsInitialize();
    OSSetEnvironmentVariable("NotesRT_UserName", MailFixture::User);
    OSSetEnvironmentVariable("MailServer", MailFixture::Server);
    OSSetEnvironmentVariable("MailFile", "mail/jdoe.nsf");
    FMailFile = MakeMailServer(Env.Root());
    RegisterMail();
    ASSERT_TRUE(Mail->Connect());
  }
  void TearDown() override {
    Mail->DisConnect();
    UnregisterMail();
    FMailFile.reset();
    NotesObjectsFinalize();
  }

  std::string WriteFile(const std::string& Name, const std::string& Bytes) {
    const fs::path path = FFiles.Path() / Name;
    std::ofstream(path, std::ios::binary) << Bytes;
    return path.string();
  }
  // A record as the host fills it; the lists stay the test's.
  TMailItemData Record(const std::string& Subject, const std::vector<std::string>& Rtf,
                       const std::vector<std::string>& Files) {
    TMailItemData data;
    data.SendTo = "Jane Doe";
    data.Subject = Subject;
    for (const std::string& line : Rtf) FBody.Add(line);
    for (const std::string& file : Files) FAttachments.Add(file);
    data.Body = &FBody;
    data.Attachments = &FAttachments;
    return data;
  }
  // The note IDs of a folder's lines.
  std::vector<int32_t> Folder(mfType Folder) {
    std::vector<int32_t> ids;
    TStringList* list = nullptr;
    Mail->GetMailItems(Folder, list);
    for (const std::string& line : LinesOf(list)) ids.push_back(std::stoi(line));
    return ids;
  }
  void Route() {
    DWORD delivered = 0, forwarded = 0, failed = 0, dead = 0;
    ASSERT_EQ(NotesRTRouteMail(MailFixture::Server, &delivered, &forwarded, &failed, &dead),
              NOERROR);
    EXPECT_EQ(failed + dead, 0u);
  }
  // GetMail's record; its lists become the test's.
  struct TRead {
    TMailItemData Data;
    std::unique_ptr<TStringList> Body, Attachments;
  };
  TRead Read(int32_t NoteID) {
    TRead read;
    Mail->GetMail(NoteID, "", read.Data);
    read.Body.reset(read.Data.Body);
    read.Attachments.reset(read.Data.Attachments);
    return read;
  }

  std::unique_ptr<TNotesDatabase> FMailFile;
  vesktest::TempDir FFiles;
  TStringList FBody, FAttachments;
};

// Sent, routed to its sender, read and saved: the body's text and every file come back whole,
// under exactly their names.
TEST_F(MailMessagesTest, ASentMailArrivesWithItsBodyAndFilesByteForByte) {
  const std::vector<std::pair<std::string, std::string>> files = {
      {"Übersicht März €.txt", "Zahlen\r\n"},
      {"отчёт.doc", std::string("\0\1\2binary", 9)},
      {"报告.pdf", std::string(300000, 'p')}};
  std::vector<std::string> paths;
  for (const auto& [name, bytes] : files) paths.push_back(WriteFile(name, bytes));
  TMailItemData data = Record("Figures",
                              {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}",
                               "\\f0 Hello "
                               "{\\b world}\\par",
                               "second line\\par}"},
                              paths);
  data.KeepSentCopy = false;
  Mail->SendMail(data);
  EXPECT_EQ(Folder(mfSent), std::vector<int32_t>{}) << "no copy kept";
  Route();
  const std::vector<int32_t> inbox = Folder(mfInbox);
  ASSERT_EQ(inbox.size(), 1u);
  TRead read = Read(inbox[0]);
  EXPECT_EQ(read.Data.Subject, "Figures");
  EXPECT_EQ(read.Data.From, MailFixture::User);
  const std::string rtf = read.Body->Text();
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf;
  EXPECT_NE(rtf.find("world"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("second line"), std::string::npos) << rtf;
  EXPECT_EQ(read.Attachments->Count(), static_cast<int>(files.size()));
  vesktest::TempDir saved;
  for (const auto& [name, bytes] : files) {
    const fs::path target = saved.Path() / name;
    EXPECT_TRUE(Mail->Detach(inbox[0], "", name, target.string())) << name;
    EXPECT_EQ(vesktest::ReadFileText(target), bytes) << name;
  }
  EXPECT_FALSE(Mail->Detach(inbox[0], "", "missing.txt", (saved.Path() / "m").string()));
  EXPECT_FALSE(fs::exists(saved.Path() / "m"));
}

TEST_F(MailMessagesTest, AFailedSendStoresNothingAndACopyIsKeptOnRequest) {
  const std::string missing = (FFiles.Path() / "gone.txt").string();
  TMailItemData broken = Record("Broken", {"text"}, {missing});
  broken.KeepSentCopy = true;
  EXPECT_EQ(vesktest::ErrorOf<ELotusNotes>([&] { Mail->SendMail(broken); }),
            "File to be attached does not exist: " + missing);
  FAttachments.Clear();
  TMailItemData noRecipient = Record("Nobody", {"text"}, {});
  noRecipient.SendTo.clear();
  EXPECT_THROW(Mail->SendMail(noRecipient), ELotusNotes);
  Route();
  EXPECT_EQ(Folder(mfInbox), std::vector<int32_t>{});
  EXPECT_EQ(Folder(mfSent), std::vector<int32_t>{});
  // A record without lists is an empty body with no files; the copy stays among the sent.
  TMailItemData bare;
  bare.SendTo = "Jane Doe";
  bare.Subject = "Bare";
  bare.KeepSentCopy = true;
  Mail->SendMail(bare);
  EXPECT_EQ(Folder(mfSent).size(), 1u);
}

// Filed mails appear in their folder's list after the next refresh; folder values past the
// four do nothing at all.
TEST_F(MailMessagesTest, FiledMailsStayInTheirFolders) {
  for (const auto& [folder, subject] :
       {std::pair{mfDrafts, "Draft"}, {mfInbox, "Filed in"}, {mfSent, "Filed sent"}}) {
    const size_t before = Folder(folder).size();
    Mail->MailToFolder(Record(subject, {"{\\rtf1 filed\\par}"}, {}), folder);
    FBody.Clear();
    EXPECT_EQ(Folder(folder).size(), before + 1) << subject;
  }
  const size_t drafts = Folder(mfDrafts).size();
  Mail->MailToFolder(Record("Nowhere", {"x"}, {}), static_cast<mfType>(4));
  EXPECT_EQ(Folder(mfDrafts).size(), drafts);
  EXPECT_EQ(Folder(mfInbox).size() + Folder(mfSent).size() + drafts, 3u);
}

// Names a mail brings, in "$FILE" items and in file hotspots, never choose where a file goes:
// each is listed safe and distinct, and Detach writes only the target the host gave.
TEST_F(MailMessagesTest, HostileAttachmentNamesAreListedSafeAndSavedWhereTheHostSays) {
  const std::vector<std::pair<std::string, std::string>> stored = {
      {"ATT1.doc", "report.doc"}, {"../../x", ""},
      {"..\\..\\x", ""},          {"a/../../b", ""},
      {"/etc/passwd", ""},        {"..", ""},
      {"evil", "../../shown"},    {"ctl", "tab\there.txt"},
      {"Case.txt", ""},           {"CASE.TXT", ""}};
  auto mail = FMailFile->CreateDocument();
  mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Hostile");
  auto body = TNotesRichTextItem::CreateNew(*mail, "Body");
  for (const auto& [internal, shown] : stored) {
    const std::string source = WriteFile("source", "bytes of " + internal);
    const std::string lmbcs = Native2Lmbcs(internal);
    ASSERT_EQ(NSFNoteAttachFile(mail->NoteHandle(), "$FILE", 5, source.c_str(), lmbcs.c_str(), 0),
              NOERROR);
    if (shown.empty()) continue;
    const std::string record = FileHotspot(internal, shown);
    body->AddToContext(record.data(), 0, static_cast<DWORD>(record.size()));
  }
  body->SaveContext();
  mail->Save();
  const std::vector<std::string> expected = {"report.doc", "x",           "x (2)", "b",
                                             "passwd",     "attachment",  "shown", "tab_here.txt",
                                             "Case.txt",   "CASE (2).TXT"};
  vesktest::TempDir target;
  std::vector<std::string> listed;
  for (const std::string& name : expected) {
    const fs::path file = target.Path() / name;
    // A link at the target is replaced, not followed.
    fs::create_symlink(FFiles.Path() / "victim", file);
    EXPECT_TRUE(Mail->Detach(static_cast<int32_t>(mail->NoteID()), "", name, file.string()))
        << name;
    EXPECT_FALSE(fs::is_symlink(file)) << name;
  }
  EXPECT_FALSE(fs::exists(FFiles.Path() / "victim"));
  size_t index = 0;
  for (const auto& [internal, shown] : stored)
    EXPECT_EQ(vesktest::ReadFileText(target.Path() / expected[index++]), "bytes of " + internal)
        << internal;
  size_t inTarget = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(target.Path())) ++inTarget;
  EXPECT_EQ(inTarget, expected.size());
  // The internal name reaches its file too; no name matches part of another.
  EXPECT_TRUE(Mail->Detach(static_cast<int32_t>(mail->NoteID()), "", "att1.DOC",
                           (target.Path() / "again").string()));
  EXPECT_EQ(vesktest::ReadFileText(target.Path() / "again"), "bytes of ATT1.doc");
  EXPECT_FALSE(Mail->Detach(static_cast<int32_t>(mail->NoteID()), "", ".doc",
                            (target.Path() / "none").string()));
}

}  // namespace
