// Access control lists: the in-memory list, its storage in the database file and its copies.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/acl.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osmem.h"
#include "notesapi/ostime.h"

namespace {

using runtimetest::DbRef;

// An ACL handle freed at scope exit.
class AclRef {
 public:
  AclRef() = default;
  ~AclRef() {
    if (FHandle) {
      EXPECT_EQ(OSMemFree(FHandle), NOERROR);
    }
  }
  AclRef(const AclRef&) = delete;
  AclRef& operator=(const AclRef&) = delete;
  DHANDLE Get() const { return FHandle; }
  DHANDLE* Out() { return &FHandle; }

 private:
  DHANDLE FHandle = NULLHANDLE;
};

struct Entry {
  std::string Name;
  WORD Level;
  ACL_PRIVILEGES Privileges;
  WORD Flags;
};

std::vector<Entry> EntriesOf(DHANDLE Acl) {
  std::vector<Entry> entries;
  auto collect = [](void* Param, char* Name, WORD Level, ACL_PRIVILEGES* Privileges, WORD Flags) {
    static_cast<std::vector<Entry>*>(Param)->push_back(Entry{Name, Level, *Privileges, Flags});
  };
  EXPECT_EQ(ACLEnumEntries(Acl, collect, &entries), NOERROR);
  return entries;
}

std::vector<std::string> NamesOf(DHANDLE Acl) {
  std::vector<std::string> names;
  for (const Entry& entry : EntriesOf(Acl)) names.push_back(entry.Name);
  return names;
}

std::string PrivilegeName(DHANDLE Acl, WORD Number) {
  char name[ACL_PRIVSTRINGMAX] = "garbage";
  EXPECT_EQ(ACLGetPrivName(Acl, Number, name), NOERROR) << Number;
  return name;
}

ACL_PRIVILEGES Roles(std::initializer_list<int> Bits) {
  ACL_PRIVILEGES privileges{};
  for (int bit : Bits) ACLSetPriv(privileges, bit);
  return privileges;
}

bool Same(const ACL_PRIVILEGES& A, const ACL_PRIVILEGES& B) {
  return std::memcmp(&A, &B, sizeof A) == 0;
}

class Acls : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase();
  }

  static void Read(DBHANDLE Db, AclRef& Acl) { ASSERT_EQ(NSFDbReadACL(Db, Acl.Out()), NOERROR); }

  // A list with two people, two roles and uniform access, stored in test.nsf.
  static void StoreSample() {
    DbRef db("test.nsf");
    AclRef acl;
    Read(db.Get(), acl);
    char sales[] = "Sales", admin[] = "Admin";
    ASSERT_EQ(ACLSetPrivName(acl.Get(), 5, sales), NOERROR);
    ASSERT_EQ(ACLSetPrivName(acl.Get(), 6, admin), NOERROR);
    ACL_PRIVILEGES both = Roles({5, 6});
    ASSERT_EQ(ACLAddEntry(acl.Get(), "CN=Jo Bloggs/O=Acme", ACL_LEVEL_EDITOR, &both,
                          ACL_FLAG_PERSON | ACL_FLAG_NODELETE),
              NOERROR);
    ASSERT_EQ(ACLAddEntry(acl.Get(), "Sales Team", ACL_LEVEL_READER, nullptr, ACL_FLAG_GROUP),
              NOERROR);
    ASSERT_EQ(ACLSetFlags(acl.Get(), ACL_UNIFORM_ACCESS), NOERROR);
    ASSERT_EQ(NSFDbStoreACL(db.Get(), acl.Get(), 0, 0), NOERROR);
  }

  static void ExpectSample(DHANDLE Acl) {
    std::vector<Entry> entries = EntriesOf(Acl);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "-Default-");
    EXPECT_EQ(entries[0].Level, ACL_LEVEL_MANAGER);
    EXPECT_EQ(entries[1].Name, "CN=Jo Bloggs/O=Acme");
    EXPECT_EQ(entries[1].Level, ACL_LEVEL_EDITOR);
    EXPECT_TRUE(Same(entries[1].Privileges, Roles({5, 6})));
    EXPECT_EQ(entries[1].Flags, ACL_FLAG_PERSON | ACL_FLAG_NODELETE);
    EXPECT_EQ(entries[2].Name, "Sales Team");
    EXPECT_EQ(entries[2].Level, ACL_LEVEL_READER);
    EXPECT_TRUE(Same(entries[2].Privileges, Roles({})));
    EXPECT_EQ(PrivilegeName(Acl, 5), "[Sales]");
    EXPECT_EQ(PrivilegeName(Acl, 6), "[Admin]");
    EXPECT_EQ(PrivilegeName(Acl, 7), "");
    DWORD flags = 0;
    ASSERT_EQ(ACLGetFlags(Acl, &flags), NOERROR);
    EXPECT_EQ(flags, DWORD{ACL_UNIFORM_ACCESS});
  }

  static void ExpectSampleIn(const std::string& Path) {
    DbRef db(Path);
    AclRef acl;
    Read(db.Get(), acl);
    ExpectSample(acl.Get());
  }

  // The file as an older runtime left it, or damaged behind the runtime's back.
  void ExecuteOn(const std::string& Name, const char* Sql) {
    sqlite3* file = nullptr;
    ASSERT_EQ(sqlite3_open(FileOf(Name).c_str(), &file), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(file, Sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(file);
  }
};

TEST_F(Acls, ANewDatabaseGivesItsCreatorManagerThroughTheDefaultEntry) {
  DbRef db("test.nsf");
  AclRef acl;
  Read(db.Get(), acl);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "-Default-");
  EXPECT_EQ(entries[0].Level, ACL_LEVEL_MANAGER);
  for (WORD number = 0; number < ACL_PRIVCOUNT; ++number)
    EXPECT_EQ(PrivilegeName(acl.Get(), number), "");
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_ACL), 1u);
}

TEST_F(Acls, AStoredListIsReadBackFromTheReopenedFile) {
  StoreSample();
  ExpectSampleIn("test.nsf");
}

TEST_F(Acls, ChangesNotStoredLeaveTheDatabaseAlone) {
  StoreSample();
  {
    DbRef db("test.nsf");
    AclRef acl;
    Read(db.Get(), acl);
    ASSERT_EQ(ACLDeleteEntry(acl.Get(), "Sales Team"), NOERROR);
    ASSERT_EQ(ACLSetFlags(acl.Get(), 0), NOERROR);
  }
  ExpectSampleIn("test.nsf");
}

TEST_F(Acls, AListMadeWithACLCreateReplacesTheStoredOne) {
  StoreSample();
  DbRef db("test.nsf");
  AclRef fresh;
  ASSERT_EQ(ACLCreate(fresh.Out()), NOERROR);
  std::vector<Entry> entries = EntriesOf(fresh.Get());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Level, ACL_LEVEL_NOACCESS);
  ASSERT_EQ(ACLAddEntry(fresh.Get(), "CN=Al/O=Acme", ACL_LEVEL_MANAGER, nullptr, 0), NOERROR);
  EXPECT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 1, 1), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 0, 2), ERR_MISC_INVALID_ARGS);
  ASSERT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 0, 1), NOERROR);
  db.Close();
  DbRef reopened("test.nsf");
  AclRef acl;
  Read(reopened.Get(), acl);
  EXPECT_EQ(NamesOf(acl.Get()), (std::vector<std::string>{"-Default-", "CN=Al/O=Acme"}));
  EXPECT_EQ(PrivilegeName(acl.Get(), 5), "");
}

TEST_F(Acls, NamesAreFoundWithoutRegardToCase) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "CN=Jo Bloggs/O=Acme", ACL_LEVEL_AUTHOR, nullptr, 0), NOERROR);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "cn=jo bloggs/o=ACME", ACL_LEVEL_READER, nullptr, 0),
            ERR_NOTESRT_ACL_DUPLICATE);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "-DEFAULT-", ACL_LEVEL_READER, nullptr, 0),
            ERR_NOTESRT_ACL_DUPLICATE);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "CN=JO BLOGGS/O=ACME", ACL_UPDATE_LEVEL, nullptr,
                           ACL_LEVEL_DESIGNER, nullptr, 0),
            NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "-default-", ACL_UPDATE_LEVEL, nullptr, ACL_LEVEL_READER,
                           nullptr, 0),
            NOERROR);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  EXPECT_EQ(entries[0].Level, ACL_LEVEL_READER);
  EXPECT_EQ(entries[1].Name, "CN=Jo Bloggs/O=Acme");
  EXPECT_EQ(entries[1].Level, ACL_LEVEL_DESIGNER);
}

TEST_F(Acls, UpdateChangesOnlyTheSelectedFields) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  ACL_PRIVILEGES role = Roles({9});
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Jo", ACL_LEVEL_EDITOR, &role, ACL_FLAG_PERSON), NOERROR);
  ACL_PRIVILEGES other = Roles({12});
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_FLAGS, "Ignored", ACL_LEVEL_READER, &other,
                           ACL_FLAG_GROUP),
            NOERROR);
  Entry jo = EntriesOf(acl.Get())[1];
  EXPECT_EQ(jo.Name, "Jo");
  EXPECT_EQ(jo.Level, ACL_LEVEL_EDITOR);
  EXPECT_TRUE(Same(jo.Privileges, role));
  EXPECT_EQ(jo.Flags, ACL_FLAG_GROUP);
  // A null NewPrivileges clears them.
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_PRIVILEGES, nullptr, 0, nullptr, 0),
            NOERROR);
  EXPECT_TRUE(Same(EntriesOf(acl.Get())[1].Privileges, Roles({})));
}

TEST_F(Acls, RenamingClearsTheFieldsNotAlsoSelected) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  ACL_PRIVILEGES role = Roles({5});
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Jo", ACL_LEVEL_EDITOR, &role, ACL_FLAG_PERSON), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Al", ACL_LEVEL_EDITOR, &role, ACL_FLAG_PERSON), NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_NAME, "Joanna", ACL_LEVEL_READER, &role, 0),
            NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "al", ACL_UPDATE_NAME | ACL_UPDATE_LEVEL, "AL",
                           ACL_LEVEL_AUTHOR, nullptr, 0),
            NOERROR);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].Name, "Joanna");
  EXPECT_EQ(entries[1].Level, ACL_LEVEL_NOACCESS);
  EXPECT_TRUE(Same(entries[1].Privileges, Roles({})));
  EXPECT_EQ(entries[1].Flags, 0);
  EXPECT_EQ(entries[2].Name, "AL");
  EXPECT_EQ(entries[2].Level, ACL_LEVEL_AUTHOR);
  EXPECT_EQ(ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_LEVEL, nullptr, 1, nullptr, 0),
            ERR_ACL_NOENTRY);
  EXPECT_EQ(ACLUpdateEntry(acl.Get(), "Joanna", ACL_UPDATE_NAME, "al", 0, nullptr, 0),
            ERR_NOTESRT_ACL_DUPLICATE);
  EXPECT_EQ(ACLUpdateEntry(acl.Get(), "Joanna", ACL_UPDATE_NAME, nullptr, 0, nullptr, 0),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ACLUpdateEntry(acl.Get(), nullptr, ACL_UPDATE_NAME, "Everyone", 0, nullptr, 0),
            ERR_ACL_UNDELETABLE);
  EXPECT_EQ(NamesOf(acl.Get()), (std::vector<std::string>{"-Default-", "Joanna", "AL"}));
}

TEST_F(Acls, RefusedChangesLeaveTheListAsItWas) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Jo", ACL_LEVEL_EDITOR, nullptr, 0), NOERROR);
  EXPECT_EQ(ACLDeleteEntry(acl.Get(), nullptr), ERR_ACL_UNDELETABLE);
  EXPECT_EQ(ACLDeleteEntry(acl.Get(), "-Default-"), ERR_ACL_UNDELETABLE);
  EXPECT_EQ(ACLDeleteEntry(acl.Get(), "Nobody"), ERR_ACL_NOENTRY);
  EXPECT_EQ(ACLAddEntry(acl.Get(), nullptr, ACL_LEVEL_READER, nullptr, 0), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "", ACL_LEVEL_READER, nullptr, 0), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ACLAddEntry(acl.Get(), std::string(256, 'x').c_str(), ACL_LEVEL_READER, nullptr, 0),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "Al", ACL_LEVEL_MANAGER + 1, nullptr, 0), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(
      ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_NAME | ACL_UPDATE_LEVEL, "Joanna", 7, nullptr, 0),
      ERR_MISC_INVALID_ARGS);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].Name, "Jo");
  EXPECT_EQ(entries[1].Level, ACL_LEVEL_EDITOR);
  ASSERT_EQ(ACLDeleteEntry(acl.Get(), "JO"), NOERROR);
  EXPECT_EQ(NamesOf(acl.Get()), std::vector<std::string>{"-Default-"});
}

TEST_F(Acls, AFullListRefusesAnotherEntry) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  STATUS status = NOERROR;
  int added = 0;
  while (status == NOERROR && added < 5000) {
    status = ACLAddEntry(acl.Get(), ("Person " + std::to_string(added)).c_str(), 2, nullptr, 0);
    if (status == NOERROR) ++added;
  }
  EXPECT_EQ(status, ERR_ACL_FULL);
  EXPECT_EQ(added + 1, static_cast<int>(EntriesOf(acl.Get()).size()));
  ASSERT_EQ(ACLDeleteEntry(acl.Get(), "Person 0"), NOERROR);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "Another", 2, nullptr, 0), NOERROR);
}

TEST_F(Acls, PrivilegeNamesComeBackDecoratedAndUnnamedOnesEmpty) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  char level[] = "Old level", role[] = "Marketing", longest[] = "ABCDEFGHIJKLMNO",
       tooLong[] = "ABCDEFGHIJKLMNOP", empty[] = "";
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 1, level), NOERROR);
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 8, role), NOERROR);
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 79, longest), NOERROR);
  EXPECT_EQ(PrivilegeName(acl.Get(), 1), "(Old level)");
  EXPECT_EQ(PrivilegeName(acl.Get(), 5), "");
  EXPECT_EQ(PrivilegeName(acl.Get(), 8), "[Marketing]");
  EXPECT_EQ(PrivilegeName(acl.Get(), 79), "[ABCDEFGHIJKLMNO]");
  char name[ACL_PRIVSTRINGMAX];
  EXPECT_EQ(ACLGetPrivName(acl.Get(), ACL_PRIVCOUNT, name), ERR_ACL_NOENTRY);
  EXPECT_EQ(ACLSetPrivName(acl.Get(), ACL_PRIVCOUNT, role), ERR_ACL_FULL);
  EXPECT_EQ(ACLSetPrivName(acl.Get(), 9, tooLong), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ACLSetPrivName(acl.Get(), 9, nullptr), ERR_MISC_INVALID_ARGS);
  char marketing[] = "MARKETING";
  EXPECT_EQ(ACLSetPrivName(acl.Get(), 9, marketing), ERR_NOTESRT_ACL_DUPLICATE);
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 8, marketing), NOERROR);
  EXPECT_EQ(PrivilegeName(acl.Get(), 8), "[MARKETING]");
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 8, empty), NOERROR);
  EXPECT_EQ(PrivilegeName(acl.Get(), 8), "");
  EXPECT_EQ(PrivilegeName(acl.Get(), 9), "");
}

TEST_F(Acls, TheWalkGoesOnOverWhatTheListHeldWhenItBegan) {
  AclRef acl;
  ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Jo", 2, nullptr, 0), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Al", 2, nullptr, 0), NOERROR);
  struct TWalk {
    DHANDLE Acl;
    std::vector<std::string> Seen;
  } walk{acl.Get(), {}};
  auto deleteOthers = [](void* Param, char* Name, WORD, ACL_PRIVILEGES*, WORD) {
    auto* state = static_cast<TWalk*>(Param);
    state->Seen.push_back(Name);
    ACLDeleteEntry(state->Acl, "Al");
  };
  ASSERT_EQ(ACLEnumEntries(acl.Get(), deleteOthers, &walk), NOERROR);
  EXPECT_EQ(walk.Seen, (std::vector<std::string>{"-Default-", "Jo", "Al"}));
  EXPECT_EQ(NamesOf(acl.Get()), (std::vector<std::string>{"-Default-", "Jo"}));
  EXPECT_EQ(ACLEnumEntries(acl.Get(), nullptr, nullptr), ERR_MISC_INVALID_ARGS);
}

TEST_F(Acls, StaleAndWrongHandlesGiveAStatus) {
  DbRef db("test.nsf");
  DHANDLE acl = NULLHANDLE;
  ASSERT_EQ(ACLCreate(&acl), NOERROR);
  ASSERT_EQ(OSMemFree(acl), NOERROR);
  DHANDLE memory = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 16, &memory), NOERROR);
  char name[ACL_PRIVSTRINGMAX];
  DWORD flags = 0;
  ACL_PRIVILEGES none{};
  for (DHANDLE bad : {acl, memory, DHANDLE{db.Get()}, DHANDLE{NULLHANDLE}, DHANDLE{0x7FFFFFF}}) {
    EXPECT_EQ(ACLAddEntry(bad, "Jo", 2, &none, 0), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLUpdateEntry(bad, "Jo", ACL_UPDATE_LEVEL, nullptr, 2, &none, 0),
              ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLDeleteEntry(bad, "Jo"), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLEnumEntries(
                  bad, [](void*, char*, WORD, ACL_PRIVILEGES*, WORD) {}, nullptr),
              ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLGetPrivName(bad, 5, name), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLGetFlags(bad, &flags), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLSetFlags(bad, 1), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(NSFDbStoreACL(db.Get(), bad, 0, 0), ERR_NOTESRT_INVALID_HANDLE);
  }
  EXPECT_EQ(OSMemFree(acl), ERR_NOTESRT_INVALID_HANDLE);
  ASSERT_EQ(OSMemFree(memory), NOERROR);
  AclRef read;
  EXPECT_EQ(NSFDbReadACL(NULLHANDLE, read.Out()), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(*read.Out(), NULLHANDLE);
  EXPECT_EQ(NSFDbReadACL(db.Get(), nullptr), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_ACL), 0u);
}

TEST_F(Acls, CreateAndCopyCopiesTheListAndCopyLeavesItBehind) {
  StoreSample();
  NewDatabase("plain.nsf");
  {
    DbRef source("test.nsf"), target("plain.nsf");
    TIMEDATE all{};
    TimeConstant(TIMEDATE_WILDCARD, &all);
    ASSERT_EQ(NSFDbCopy(source.Get(), target.Get(), all, NOTE_CLASS_ALL), NOERROR);
    AclRef acl;
    Read(target.Get(), acl);
    EXPECT_EQ(NamesOf(acl.Get()), std::vector<std::string>{"-Default-"});
  }
  DBHANDLE copy = NULLHANDLE;
  ASSERT_EQ(NSFDbCreateAndCopy("test.nsf", "copy.nsf", NOTE_CLASS_ALLNONDATA, 0, 0, &copy),
            NOERROR);
  ASSERT_EQ(NSFDbClose(copy), NOERROR);
  ExpectSampleIn("copy.nsf");
}

TEST_F(Acls, AMailFileMadeFromTheMailTemplateTakesItsList) {
  DBHANDLE mail = NULLHANDLE;
  ASSERT_EQ(NSFDbCreateAndCopy("mail.ntf", "mail/jo.nsf", NOTE_CLASS_ALLNONDATA, 0, 0, &mail),
            NOERROR);
  ASSERT_EQ(NSFDbClose(mail), NOERROR);
  DbRef db("mail/jo.nsf");
  AclRef acl;
  Read(db.Get(), acl);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "-Default-");
  EXPECT_EQ(entries[0].Level, ACL_LEVEL_MANAGER);
  EXPECT_EQ(entries[1].Name, "LocalDomainServers");
  EXPECT_EQ(entries[1].Level, ACL_LEVEL_MANAGER);
  EXPECT_TRUE(entries[1].Flags & ACL_FLAG_GROUP);
  EXPECT_TRUE(entries[1].Flags & ACL_FLAG_SERVER);
}

TEST_F(Acls, AFileFromBeforeListsWereStoredReadsAsNeverGivenOne) {
  ExecuteOn("test.nsf",
            "DROP TABLE acl; DROP TABLE acl_entries; DROP TABLE acl_privileges; "
            "PRAGMA user_version = 2;");
  StoreSample();
  ExpectSampleIn("test.nsf");
}

TEST_F(Acls, DamagedRowsAreLeftOutOfTheList) {
  StoreSample();
  ExecuteOn("test.nsf",
            "INSERT INTO acl_entries VALUES(10, 'Bad Level', 99, x'', 0);"
            "INSERT INTO acl_entries VALUES(11, 'sales team', 2, x'', 0);"
            "INSERT INTO acl_entries VALUES(12, 'Short Privileges', 3, x'20', -5);"
            "INSERT INTO acl_privileges VALUES(200, 'Far');"
            "INSERT INTO acl_privileges VALUES(9, 'Far Too Long For A Role');"
            "UPDATE acl_entries SET privileges = x'60000000000000000000FFFF' WHERE position = 1;");
  DbRef db("test.nsf");
  AclRef acl;
  Read(db.Get(), acl);
  std::vector<Entry> entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(Same(entries[1].Privileges, Roles({5, 6})));
  EXPECT_EQ(entries[3].Name, "Short Privileges");
  EXPECT_TRUE(Same(entries[3].Privileges, Roles({5})));
  EXPECT_EQ(entries[3].Flags, 0);
  EXPECT_EQ(PrivilegeName(acl.Get(), 9), "");
}

}  // namespace
