// Database files: create, open, reopen, refuse what is not a database, header information.
#include <gtest/gtest.h>

#include <cstring>

#include "DamageTools.h"
#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;
using Strings = std::vector<std::string>;

class Databases : public runtimetest::StorageTest {
 protected:
  // A mail file holding one draft with Subject, laid out once through its drafts view.
  void NewMailFile(const std::string& Name, const std::string& Subject) {
    DBHANDLE made = NULLHANDLE;
    ASSERT_EQ(NSFDbCreateAndCopy("mail.ntf", Name.c_str(), NOTE_CLASS_ALLNONDATA, 0, 0, &made),
              NOERROR);
    NSFDbClose(made);
    DbRef db(Name);
    SaveDocument(db.Get(), Subject);
  }

  // As another program deletes a database: its journal files go with it.
  void RemoveMailFile() {
    for (const char* file : {"mail.nsf-wal", "mail.nsf-shm", "mail.nsf"})
      std::filesystem::remove(FileOf(file));
  }

  // The subjects the drafts view lists.
  static Strings Drafts(DBHANDLE Db) {
    NOTEID view = 0;
    EXPECT_EQ(NIFFindDesignNote(Db, "($Drafts)", NOTE_CLASS_VIEW, &view), NOERROR);
    HCOLLECTION collection = NULLHANDLE;
    EXPECT_EQ(NIFOpenCollection(Db, Db, view, 0, NULLHANDLE, &collection, nullptr, nullptr, nullptr,
                                nullptr),
              NOERROR);
    COLLECTIONPOSITION position{};
    Strings subjects;
    for (NOTEID id : runtimetest::ReadIds(collection, position)) subjects.push_back(TextOf(Db, id));
    NIFCloseCollection(collection);
    return subjects;
  }
};

TEST_F(Databases, CreateRefusesAnExistingFileUnlessForced) {
  NewDatabase();
  {
    DbRef db("test.nsf");
    SaveDocument(db.Get(), "old");
    EXPECT_EQ(NSFDbCreate("test.nsf", DBCLASS_NOTEFILE, TRUE), ERR_NOTESRT_IN_USE);
  }
  EXPECT_EQ(NSFDbCreate("test.nsf", DBCLASS_NOTEFILE, FALSE), ERR_EXISTS);
  EXPECT_EQ(NSFDbCreate("TEST.NSF", DBCLASS_NOTEFILE, FALSE), ERR_EXISTS);
  ASSERT_EQ(NSFDbCreate("test.nsf", DBCLASS_NOTEFILE, TRUE), NOERROR);
  DbRef db("test.nsf");
  NoteRef note;
  EXPECT_EQ(NSFNoteOpen(db.Get(), 4, 0, note.Out()), ERR_INVALID_NOTE);
  EXPECT_EQ(NSFDbCreate("bad.nsf", 0x1234, FALSE), ERR_DBCLASS);
}

// Whether a handle is still open on the old file or the database was closed after its view was
// read (the runtime may keep it a while), opening the path again opens the file there now.
TEST_F(Databases, OpeningAgainSeesAFileReplacedOrDeletedOnDisk) {
  const struct {
    const char* Name;
    bool KeepOpen;
    bool Replace;  // else deleted
  } cases[] = {{"replaced under an open handle", true, true},
               {"deleted under an open handle", true, false},
               {"replaced after closing", false, true},
               {"deleted after closing", false, false}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.Name);
    NewMailFile("mail.nsf", "old");
    auto first = std::make_unique<DbRef>("mail.nsf");
    ASSERT_EQ(Drafts(first->Get()), Strings{"old"});
    if (!each.KeepOpen) first.reset();
    RemoveMailFile();
    if (each.Replace) {
      NewMailFile("other.nsf", "new");
      std::filesystem::rename(FileOf("other.nsf"), FileOf("mail.nsf"));
    }
    if (each.Replace) {
      DbRef again("mail.nsf");
      EXPECT_EQ(Drafts(again.Get()), Strings{"new"});
    } else {
      EXPECT_EQ(OpenStatus("mail.nsf"), ERR_NOEXIST);
    }
    if (first) {
      EXPECT_EQ(Drafts(first->Get()), Strings{"old"}) << "the open handle's own file";
    }
    first.reset();
    RemoveMailFile();
  }
}

TEST_F(Databases, PathsIgnoreCaseSeparatorsAndTheNsfExtension) {
  std::filesystem::create_directories(FileOf("Mail"));
  NewDatabase("Mail/JDoe.nsf");
  for (const char* path : {"mail\\jdoe.nsf", "MAIL/JDOE", "mail\\JDoe", "./Mail//jdoe.NSF"})
    EXPECT_EQ(OpenStatus(path), NOERROR) << path;
  EXPECT_EQ(OpenStatus((FEnv.DataDir() / "mail" / "jdoe").string()), NOERROR);
  EXPECT_EQ(OpenStatus("mail/other.nsf"), ERR_NOEXIST);
  EXPECT_EQ(OpenStatus("../data/mail/jdoe.nsf"), ERR_INV_FILE_NAME);
  NewDatabase("new/sub/created.nsf");
  EXPECT_TRUE(std::filesystem::exists(FileOf("new/sub/created.nsf")));
  NewDatabase("design.ntf");  // a template needs its extension
  EXPECT_EQ(OpenStatus("design.ntf"), NOERROR);
  EXPECT_EQ(OpenStatus("design"), ERR_NOEXIST);
}

TEST_F(Databases, FilesThatAreNotDatabasesTruncatedOrNewerOnesGiveAnError) {
  vesktest::WriteFileText(FileOf("garbage.nsf"), std::string(5000, 'x'));
  vesktest::WriteFileText(FileOf("empty.nsf"), "");
  EXPECT_EQ(OpenStatus("garbage.nsf"), ERR_NOT_NSF);
  EXPECT_EQ(OpenStatus("empty.nsf"), ERR_NOT_NSF);
  EXPECT_EQ(std::filesystem::file_size(FileOf("empty.nsf")), 0u);
  vesktest::ExecuteOn(FileOf("other.nsf"), "CREATE TABLE t(x); PRAGMA user_version = 1;");
  EXPECT_EQ(OpenStatus("other.nsf"), ERR_NOT_NSF);
  NewDatabase();
  vesktest::ExecuteOn(FileOf("test.nsf"), "PRAGMA user_version = 999");
  EXPECT_EQ(OpenStatus("test.nsf"), ERR_NSF_VERSION);
  NewDatabase("whole.nsf");
  {
    DbRef db("whole.nsf");
    for (int i = 0; i < 50; ++i) SaveDocument(db.Get(), std::string(500, 'a' + i % 26));
  }
  auto size = std::filesystem::file_size(FileOf("whole.nsf"));
  for (auto cut : {size - 1, size / 2, size_t{4096 + 10}, size_t{100}, size_t{10}}) {
    std::filesystem::copy_file(FileOf("whole.nsf"), FileOf("cut.nsf"),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(FileOf("cut.nsf"), cut);
    EXPECT_EQ(OpenStatus("cut.nsf"), ERR_NOT_NSF) << cut;
  }
  EXPECT_EQ(OpenStatus("whole.nsf"), NOERROR);
}

TEST_F(Databases, DirectoriesOpenAsDirectoryHandles) {
  std::filesystem::create_directories(FileOf("Archive"));
  for (const char* path : {"", "archive"}) {
    DbRef db(path);
    USHORT mode = 0;
    ASSERT_EQ(NSFDbModeGet(db.Get(), &mode), NOERROR);
    EXPECT_EQ(mode, DB_DIRECTORY);
    NOTEHANDLE note = NULLHANDLE;
    EXPECT_EQ(NSFNoteCreate(db.Get(), &note), ERR_DIRECTORY);
    char info[NSF_INFO_SIZE];
    EXPECT_EQ(NSFDbInfoGet(db.Get(), info), ERR_DIRECTORY);
  }
  DBHANDLE db = NULLHANDLE;
  ASSERT_EQ(NSFDbOpen(nullptr, &db), NOERROR);
  EXPECT_NE(db, NULLHANDLE);
  EXPECT_EQ(NSFDbCloseSession(db), NOERROR);
  EXPECT_EQ(NSFDbClose(db), ERR_NOTESRT_INVALID_HANDLE);
}

// The database ID and cutoff interval across a reopen: the object library's database test.
TEST_F(Databases, LongTitleIsCutAtACharacterAndReplicaIdsAreDistinctAndKept) {
  char info[NSF_INFO_SIZE] = "\n#1Template";
  // Three-byte LMBCS characters, so that a cut by bytes would split one.
  char wide[8];
  WORD wideLength = OSTranslate(OS_TRANSLATE_UTF8_TO_LMBCS, "\xE6\x97\xA5", 3, wide, sizeof wide);
  ASSERT_EQ(wideLength, 3);
  std::string title;
  for (int i = 0; i < 100; ++i) title.append(wide, wideLength);
  NSFDbInfoModify(info, INFOPARSE_TITLE, title.c_str());
  std::string result(info);
  EXPECT_LE(result.size(), NSF_INFO_SIZE - 1u);
  size_t titleLength = result.find('\n');
  EXPECT_EQ(titleLength % 3, 0u);
  EXPECT_GT(titleLength, 100u);
  EXPECT_EQ(result.substr(titleLength), "\n\n#1Template");
  char tooLong[200];
  std::memset(tooLong, 'a', sizeof tooLong - 1);
  tooLong[sizeof tooLong - 1] = '\0';
  NewDatabase();
  DbRef db("test.nsf");
  EXPECT_EQ(NSFDbInfoSet(db.Get(), tooLong), ERR_NSF_INFO_SIZE);
  NewDatabase("a.nsf");
  NewDatabase("b.nsf");
  DBREPLICAINFO replicaA{}, replicaB{};
  {
    DbRef a("a.nsf"), b("b.nsf");
    ASSERT_EQ(NSFDbReplicaInfoGet(a.Get(), &replicaA), NOERROR);
    ASSERT_EQ(NSFDbReplicaInfoGet(b.Get(), &replicaB), NOERROR);
    EXPECT_NE(std::memcmp(&replicaA.ID, &replicaB.ID, sizeof(TIMEDATE)), 0);
    replicaB.ID = replicaA.ID;
    ASSERT_EQ(NSFDbReplicaInfoSet(b.Get(), &replicaB), NOERROR);
  }
  DbRef b("b.nsf");
  DBREPLICAINFO reread{};
  ASSERT_EQ(NSFDbReplicaInfoGet(b.Get(), &reread), NOERROR);
  EXPECT_EQ(std::memcmp(&reread.ID, &replicaA.ID, sizeof(TIMEDATE)), 0);
}

}  // namespace
