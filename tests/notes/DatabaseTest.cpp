#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "DamageTools.h"
#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesErrorOf.h"
#include "StorageFixture.h"
#include "TNotesDocumentCollection.h"

namespace {

using DatabaseTest = StorageFixture;

TEST_F(DatabaseTest, CreateNewNeverOverwritesABlankNameOrAFailedOpenLeavesItClosed) {
  const NOTEID noteID = SavedDocument("keep me");
  TNotesDatabase other;
  EXPECT_THROW(other.CreateNew("", "test.nsf", ""), ELotusNotes);
  EXPECT_FALSE(other.GetActive());
  Reopen();
  TNotesDocument document(*FDatabase, noteID);
  EXPECT_EQ(document.GetItemByName("Subject")->GetAsString(), "keep me");
  // A copy of a template neither.
  FDatabase->SetTitle("Template – Größe");
  TNotesDatabase copy;
  copy.CreateNew("", "copy.nsf", "test.nsf");
  EXPECT_EQ(copy.GetTitle(), "Template – Größe");
  EXPECT_EQ(copy.UnreadDocuments()->Count(), 1);  // the note saved above
  copy.SetTitle("Copy");
  copy.Close();
  EXPECT_THROW(copy.CreateNew("", "copy.nsf", "test.nsf"), ELotusNotes);
  copy.Open("", "copy.nsf");
  EXPECT_EQ(copy.GetTitle(), "Copy");
  // Blank names and a failed open leave the database closed, with its names.
  TNotesDatabase blank;
  EXPECT_EQ(NotesErrorOf([&] { blank.CreateNew("", "", ""); }), "0 Database Name is blank");
  EXPECT_THROW(blank.Open("CN=Srv1/O=Acme", ""), ELotusNotes);
  // "Local" in any case names the local file.
  EXPECT_TRUE(blank.Open("lOcAl", "test.nsf"));
  EXPECT_EQ(blank.ServerName(), "");
  EXPECT_EQ(blank.GetFullName(), "test.nsf");
  EXPECT_THROW(FDatabase->Open("", "missing.nsf"), ELotusNotes);
  EXPECT_FALSE(FDatabase->GetActive());
  EXPECT_EQ(FDatabase->FileName(), "test.nsf");
  FDatabase->SetActive(true);
  EXPECT_TRUE(FDatabase->GetActive());
  FDatabase->SetFileName("other.nsf");
  EXPECT_FALSE(FDatabase->GetActive());
}

// What the database says of itself persists; NotesVersion reopens its own file.
TEST_F(DatabaseTest, ReplicaInformationPersistsAndNotesVersionReopensTheFile) {
  DBREPLICAINFO info = FDatabase->GetReplicaInfo();
  info.CutoffInterval = 90;
  FDatabase->SetReplicaInfo(info);
  const TIMEDATE id = FDatabase->GetDatabaseID();
  Reopen();
  EXPECT_EQ(FDatabase->GetReplicaInfo().CutoffInterval, 90);
  const TIMEDATE again = FDatabase->GetDatabaseID();
  EXPECT_EQ(std::memcmp(&id, &again, sizeof(id)), 0);
  EXPECT_GT(FDatabase->GetQuotaInfo().CurrentDbSize, 0u);
  FDatabase->Close();
  EXPECT_GT(FDatabase->NotesVersion(), 0);
  EXPECT_TRUE(FDatabase->GetActive());
  EXPECT_EQ(FDatabase->FileName(), "test.nsf");
}

TEST_F(DatabaseTest, UserAndMailSettings) {
  EXPECT_EQ(TNotesDatabase::UserName(), "CN=Jane Doe/O=Acme");
  EXPECT_EQ(TNotesDatabase::MailServer(), "CN=Srv1/O=Acme");
  EXPECT_EQ(TNotesDatabase::MailFileName(), "mail/jdoe.nsf");
  // Lengths around the first buffer (MAXENVVALUE characters and its NUL) read back whole.
  for (size_t length : {size_t{1}, size_t{MAXENVVALUE - 3}, size_t{MAXENVVALUE - 1},
                        size_t{MAXENVVALUE}, size_t{MAXENVVALUE + 1}, size_t{3000}}) {
    const std::string value(length, 'm');
    OSSetEnvironmentVariable("MailFile", value.c_str());
    EXPECT_EQ(TNotesDatabase::MailFileName(), value) << length << " characters";
  }
}

TEST_F(DatabaseTest, DocumentsAreDeletedAndCopiedBetweenDatabases) {
  const NOTEID noteID = SavedDocument("gone");
  TNotesDocument document(*FDatabase, noteID);
  FDatabase->DeleteDocument(document);
  EXPECT_EQ(document.NoteHandle(), NULLHANDLE);
  EXPECT_THROW(TNotesDocument(*FDatabase, noteID), ELotusNotes);
  FDatabase->DeleteDocument(document);
  const NOTEID copied = SavedDocument("copied");
  TNotesDatabase target;
  target.CreateNew("", "target.nsf", "");
  {
    TNotesDocument document(*FDatabase, copied);
    auto copy = document.CopyToDatabase(target);
    EXPECT_EQ(copy->GetItemByName("Subject")->GetAsString(), "copied");
  }
  TNotesDatabase all;
  all.CreateNew("", "all.nsf", "");
  SavedDocument("second");
  all.CopyRecords(*FDatabase);
  auto unread = all.UnreadDocuments();
  EXPECT_EQ(unread->Count(), 2);
}

TEST_F(DatabaseTest, ReadMarksFollowTheCurrentUser) {
  const NOTEID first = SavedDocument("first");
  const NOTEID second = SavedDocument("second");
  auto unread = FDatabase->UnreadDocuments();
  ASSERT_EQ(unread->Count(), 2);
  EXPECT_FALSE(unread->GetDocument(0)->GetIsRead());
  FDatabase->MarkRead(first, true);
  // A document from an ordinary collection asks the read marks.
  TNotesDocumentCollection plain(*FDatabase);
  plain.AddDocumentId(static_cast<int32_t>(first), "");
  plain.AddDocumentId(static_cast<int32_t>(second), "");
  EXPECT_TRUE(plain.GetDocument(0)->GetIsRead());
  auto secondDocument = plain.GetDocument(1);
  EXPECT_FALSE(secondDocument->GetIsRead());
  secondDocument->SetIsRead(true);
  EXPECT_EQ(FDatabase->UnreadDocuments()->Count(), 0);
  plain.MarkAllRead(false);
  Reopen();
  EXPECT_EQ(FDatabase->UnreadDocuments()->Count(), 2);
  // Documents of a collection carry their summary lines.
  plain.AddDocumentId(static_cast<int32_t>(SavedDocument("x")), "\r\nA=1\r\nB=x;y;");
  auto summarised = plain.GetDocument(2);
  EXPECT_EQ(summarised->Summary().Text(), "\r\nA=1\r\nB=x;y;\r\n");
}

class MailTest : public StorageFixture {
 protected:
  std::filesystem::path ServersDir() const { return FEnv.Root() / "servers"; }
  void SetUp() override {
    StorageFixture::SetUp();
    std::filesystem::create_directories(ServersDir());
    OSSetEnvironmentVariable("NotesRT_ServersDir", ServersDir().c_str());
    std::filesystem::create_directories(FEnv.DataDir() / "mail");
    TNotesDatabase replica;
    replica.CreateNew("", "mail/jdoe.nsf", "");
    replica.SetTitle("Local replica");
  }
};

// The local replica stands in only for a server that cannot be reached: a damaged mail file on a
// server that answers is reported, never silently replaced.
TEST_F(MailTest, ADamagedMailFileOnTheServerIsReportedNotReplaced) {
  const std::filesystem::path file = ServersDir() / "CN=SRV1%2FO=ACME" / "mail" / "jdoe.nsf";
  const struct {
    const char* Name;
    std::function<void()> Damage;
    int32_t Status;
  } cases[] = {
      {"truncated",
       [&] { std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2); },
       ERR_NOT_NSF},
      {"overwritten header",
       [&] {
         std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
         bytes.write("overwritten by a disk error", 27);
       },
       ERR_NOT_NSF},
      {"newer schema", [&] { vesktest::ExecuteOn(file, "PRAGMA user_version = 99"); },
       ERR_NSF_VERSION},
      {"another program's SQLite file",
       [&] {
         std::filesystem::remove(file);
         vesktest::ExecuteOn(file, "CREATE TABLE t(a)");
       },
       ERR_NOT_NSF},
  };
  for (const auto& damage : cases) {
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::remove(file);
    TNotesDatabase().CreateNew("CN=Srv1/O=Acme", "mail/jdoe.nsf", "");
    damage.Damage();
    const std::string error = NotesErrorOf([] { TNotesDatabase().OpenMail(); });
    EXPECT_EQ(error.rfind(std::to_string(damage.Status) + " ", 0), 0u)
        << damage.Name << ": " << error;
  }
}

}  // namespace
