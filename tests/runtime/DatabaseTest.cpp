// Database files: create, open, reopen, refuse what is not a database, header information;
// servers, a directory each under the servers root; server paths split and joined.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DamageTools.h"
#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/clerr.h"
#include "notesapi/miscerr.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"
#include "notesapi/osfile.h"
#include "notesapi/osmisc.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;
using Strings = std::vector<std::string>;

class Databases : public runtimetest::StorageTest {
 protected:
  // A mail file holding one draft with Subject, laid out once through its drafts view.
  void NewMailFile(const std::string& Name, const std::string& Subject) {
    CopyDatabase("mail.ntf", Name);
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
    Strings subjects;
    for (NOTEID id : runtimetest::ViewIds(Db, "($Drafts)")) subjects.push_back(TextOf(Db, id));
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
      EXPECT_EQ(Drafts(DbRef("mail.nsf").Get()), Strings{"new"});
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
  const std::string wide = Lmbcs("\xE6\x97\xA5");
  ASSERT_EQ(wide.size(), 3u);
  std::string title;
  for (int i = 0; i < 100; ++i) title += wide;
  NSFDbInfoModify(info, INFOPARSE_TITLE, title.c_str());
  std::string result(info);
  EXPECT_LE(result.size(), NSF_INFO_SIZE - 1u);
  size_t titleLength = result.find('\n');
  EXPECT_EQ(titleLength % 3, 0u);
  EXPECT_GT(titleLength, 100u);
  EXPECT_EQ(result.substr(titleLength), "\n\n#1Template");
  std::string tooLong(199, 'a');
  NewDatabase();
  DbRef db("test.nsf");
  EXPECT_EQ(NSFDbInfoSet(db.Get(), tooLong.data()), ERR_NSF_INFO_SIZE);
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

// Servers: a directory per server under the servers root; missing or listed ones do not answer.
class Servers : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    FServers = FEnv.Root() / "servers";
    std::filesystem::create_directories(FServers / "CN=SRV1%2FO=ACME" / "mail");
    OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, FServers.c_str());
    // Created through the server path itself.
    EXPECT_EQ(NSFDbCreate("CN=Srv1/O=Acme!!mail\\jdoe.nsf", DBCLASS_NOTEFILE, FALSE), NOERROR);
  }

  std::filesystem::path FServers;
};

TEST_F(Servers, EveryFormOfTheNameReachesItsDirectoryAndMissingOrListedServersDoNotRespond) {
  EXPECT_TRUE(std::filesystem::exists(FServers / "CN=SRV1%2FO=ACME" / "mail" / "jdoe.nsf"));
  for (const char* path : {"CN=Srv1/O=Acme!!mail\\jdoe.nsf", "Srv1/Acme!!mail/jdoe",
                           "srv1!!MAIL\\JDOE.NSF", "port!!Srv1/Acme!!mail\\jdoe.nsf"})
    EXPECT_EQ(OpenStatus(path), NOERROR) << path;
  DbRef root("Srv1/Acme!!");
  USHORT mode = 0;
  ASSERT_EQ(NSFDbModeGet(root.Get(), &mode), NOERROR);
  EXPECT_EQ(mode, DB_DIRECTORY);
  DBQUOTAINFO quota{};
  ASSERT_EQ(NSFDbQuotaGet("Srv1/Acme!!mail\\jdoe.nsf", &quota), NOERROR);
  EXPECT_GT(quota.CurrentDbSize, 0u);
  EXPECT_EQ(quota.SizeLimit, 0u);
  EXPECT_EQ(OpenStatus("CN=Srv2/O=Acme!!mail\\jdoe.nsf"), ERR_SERVER_NOT_RESPONDING);
  EXPECT_EQ(OpenStatus("Srv1/Acme!!mail\\nobody.nsf"), ERR_NOEXIST);
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "Other/Acme, srv1/acme");
  EXPECT_EQ(OpenStatus("CN=Srv1/O=Acme!!mail\\jdoe.nsf"), ERR_SERVER_NOT_RESPONDING);
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "");
  // A missing setting is named as such, not taken for a server that is down.
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, "");
  EXPECT_EQ(OpenStatus("CN=Srv1/O=Acme!!mail\\jdoe.nsf"), ERR_NOTESRT_NO_SERVERS_DIR);
  EXPECT_EQ(OpenStatus("!!mail\\jdoe.nsf"), ERR_INV_SERVER_NAME);
}

// Server paths split and joined in the caller's buffers.
// A MAXPATH buffer followed by canary bytes that must survive every call.
struct TPathBuffer {
  TPathBuffer() { std::memset(Bytes, 'x', sizeof Bytes); }
  char* Data() { return Bytes; }
  std::string Text() const { return Bytes; }
  bool CanaryIntact() const { return Bytes[MAXPATH] == 'x' && Bytes[MAXPATH + 1] == 'x'; }
  char Bytes[MAXPATH + 2];
};

std::string Construct(const char* Port, const char* Server, const char* File,
                      STATUS Expected = NOERROR) {
  TPathBuffer path;
  EXPECT_EQ(OSPathNetConstruct(Port, Server, File, path.Data()), Expected);
  EXPECT_TRUE(path.CanaryIntact());
  return path.Text();
}

struct TParsed {
  STATUS Status;
  std::string Port, Server, File;
};

TParsed Parse(const char* Path) {
  TPathBuffer port, server, file;
  STATUS status = OSPathNetParse(Path, port.Data(), server.Data(), file.Data());
  EXPECT_TRUE(port.CanaryIntact() && server.CanaryIntact() && file.CanaryIntact());
  return {status, port.Text(), server.Text(), file.Text()};
}

}  // namespace

TEST(PathNet, ParseSplitsTheThreeFormsAndConstructJoinsThemBack) {
  const struct {
    const char *Path, *Port, *Server, *File;
  } cases[] = {
      {"TCPIP!!CN=Mail1/O=Acme!!mail\\jdoe.nsf", "TCPIP", "CN=Mail1/O=Acme", "mail\\jdoe.nsf"},
      {"Srv1!!mail/jdoe.nsf", "", "Srv1", "mail/jdoe.nsf"},
      {"names.nsf", "", "", "names.nsf"},
      {"Srv1!!", "", "Srv1", ""},
  };
  for (const auto& c : cases) {
    TParsed parsed = Parse(c.Path);
    EXPECT_EQ(parsed.Status, NOERROR) << c.Path;
    EXPECT_EQ(parsed.Port + "|" + parsed.Server + "|" + parsed.File,
              std::string(c.Port) + "|" + c.Server + "|" + c.File);
    EXPECT_EQ(Construct(c.Port, c.Server, c.File), c.Path);
  }
  EXPECT_EQ(Construct(nullptr, "Srv1/Acme", "names.nsf"), "Srv1/Acme!!names.nsf");
  EXPECT_EQ(Construct(nullptr, nullptr, nullptr), "");
  char server[MAXPATH];  // unwanted outputs may be null
  EXPECT_EQ(OSPathNetParse("Srv1!!a.nsf", nullptr, server, nullptr), NOERROR);
  EXPECT_STREQ(server, "Srv1");
}

TEST(PathNet, ConstructFailsRatherThanOverflowOrCutAndParseRejectsMalformedPaths) {
  std::string file(MAXPATH - 1 - 6, 'f');  // "Srv1!!" + file is exactly MAXPATH - 1
  EXPECT_EQ(Construct("", "Srv1", file.c_str()), "Srv1!!" + file);
  file += 'f';
  EXPECT_EQ(Construct("", "Srv1", file.c_str(), ERR_INV_FILE_NAME), "");
  std::string huge(5000, 'h');
  EXPECT_EQ(Construct(huge.c_str(), huge.c_str(), huge.c_str(), ERR_INV_FILE_NAME), "");
  EXPECT_EQ(OSPathNetConstruct("", "S", "f", nullptr), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(Parse("TCPIP!!!!a.nsf").Status, ERR_INV_SERVER_NAME);
  EXPECT_EQ(Parse("!!a.nsf").Status, ERR_INV_SERVER_NAME);
  TParsed tooMany = Parse("a!!b!!c!!d");
  EXPECT_EQ(tooMany.Status, ERR_INV_FILE_NAME);
  EXPECT_EQ(tooMany.Port + tooMany.Server + tooMany.File, "");
  std::string longFile = "Srv1!!" + std::string(MAXPATH, 'f');
  EXPECT_EQ(Parse(longFile.c_str()).Status, ERR_INV_FILE_NAME);
  std::string longServer = std::string(MAXPATH, 's') + "!!a.nsf";
  EXPECT_EQ(Parse(longServer.c_str()).Status, ERR_INV_SERVER_NAME);
  EXPECT_EQ(OSPathNetParse(nullptr, nullptr, nullptr, nullptr), ERR_MISC_INVALID_ARGS);
}
