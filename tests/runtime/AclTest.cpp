// Access control lists: the in-memory list, its storage in the database file and its copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DamageTools.h"
#include "StorageFixture.h"
#include "notesapi/acl.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osmem.h"
#include "notesapi/ostime.h"

namespace {

using runtimetest::DbRef;
using runtimetest::MemoryRef;

// An entry as ACLEnumEntries hands it out, with the numbers of the privileges it has.
struct Entry {
  std::string Name;
  WORD Level;
  std::vector<int> Privileges;
  WORD Flags;
  bool operator==(const Entry&) const = default;
  friend void PrintTo(const Entry& E, std::ostream* Out) {
    *Out << E.Name << " level " << E.Level << " privileges " << testing::PrintToString(E.Privileges)
         << " flags " << E.Flags;
  }
};
using Entries = std::vector<Entry>;

Entries EntriesOf(DHANDLE Acl) {
  Entries entries;
  auto collect = [](void* Param, char* Name, WORD Level, ACL_PRIVILEGES* Privileges, WORD Flags) {
    std::vector<int> numbers;
    for (int number = 0; number < ACL_PRIVCOUNT; ++number)
      if (ACLIsPrivSet(*Privileges, number)) numbers.push_back(number);
    static_cast<Entries*>(Param)->push_back(Entry{Name, Level, numbers, Flags});
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

// The default entry of a new database: its creator may do all a manager may.
constexpr WORD ManagerRights = ACL_FLAG_CREATE_PRAGENT | ACL_FLAG_CREATE_PRFOLDER |
                               ACL_FLAG_CREATE_FOLDER | ACL_FLAG_CREATE_LOTUSSCRIPT |
                               ACL_FLAG_PUBLICREADER | ACL_FLAG_PUBLICWRITER;
const Entry Manager{"-Default-", ACL_LEVEL_MANAGER, {}, ManagerRights};

class Acls : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase();
  }

  static void Create(MemoryRef& Acl) { ASSERT_EQ(ACLCreate(Acl.Out()), NOERROR); }

  // The database at Path open, and the caller's copy of its list.
  struct Stored {
    explicit Stored(const std::string& Path) : Db(Path) {
      EXPECT_EQ(NSFDbReadACL(Db.Get(), Acl.Out()), NOERROR) << Path;
    }
    DHANDLE Get() const { return Acl.Get(); }
    DbRef Db;
    MemoryRef Acl;
  };

  // A list with two people, two roles and uniform access, stored in test.nsf.
  static void StoreSample() {
    Stored acl("test.nsf");
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
    ASSERT_EQ(NSFDbStoreACL(acl.Db.Get(), acl.Get(), 0, 0), NOERROR);
  }

  static void ExpectSampleIn(const std::string& Path) {
    Stored acl(Path);
    EXPECT_EQ(
        EntriesOf(acl.Get()),
        (Entries{
            Manager,
            {"CN=Jo Bloggs/O=Acme", ACL_LEVEL_EDITOR, {5, 6}, ACL_FLAG_PERSON | ACL_FLAG_NODELETE},
            {"Sales Team", ACL_LEVEL_READER, {}, ACL_FLAG_GROUP}}));
    EXPECT_EQ(PrivilegeName(acl.Get(), 5), "[Sales]");
    EXPECT_EQ(PrivilegeName(acl.Get(), 6), "[Admin]");
    EXPECT_EQ(PrivilegeName(acl.Get(), 7), "");
    DWORD flags = 0;
    ASSERT_EQ(ACLGetFlags(acl.Get(), &flags), NOERROR);
    EXPECT_EQ(flags, DWORD{ACL_UNIFORM_ACCESS});
  }
};

TEST_F(Acls, ANewDatabaseGivesItsCreatorManagerAndAMailFileTheTemplatesList) {
  Stored acl("test.nsf");
  EXPECT_EQ(EntriesOf(acl.Get()), Entries{Manager});
  for (WORD number = 0; number < ACL_PRIVCOUNT; ++number)
    EXPECT_EQ(PrivilegeName(acl.Get(), number), "");
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_ACL), 1u);
  CopyDatabase("mail.ntf", "mail/jo.nsf");
  EXPECT_EQ(EntriesOf(Stored("mail/jo.nsf").Get()),
            (Entries{{"-Default-", ACL_LEVEL_NOACCESS, {}, 0},
                     {"LocalDomainServers",
                      ACL_LEVEL_MANAGER,
                      {},
                      ManagerRights | ACL_FLAG_GROUP | ACL_FLAG_SERVER}}));
}

TEST_F(Acls, AListMadeWithACLCreateReplacesTheStoredOne) {
  StoreSample();
  DbRef db("test.nsf");
  MemoryRef fresh;
  Create(fresh);
  EXPECT_EQ(EntriesOf(fresh.Get()), (Entries{{"-Default-", ACL_LEVEL_NOACCESS, {}, 0}}));
  ASSERT_EQ(ACLAddEntry(fresh.Get(), "CN=Al/O=Acme", ACL_LEVEL_MANAGER, nullptr, 0), NOERROR);
  EXPECT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 1, 1), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 0, 2), ERR_MISC_INVALID_ARGS);
  ASSERT_EQ(NSFDbStoreACL(db.Get(), fresh.Get(), 0, 1), NOERROR);
  db.Close();
  Stored acl("test.nsf");
  EXPECT_EQ(NamesOf(acl.Get()), (std::vector<std::string>{"-Default-", "CN=Al/O=Acme"}));
  EXPECT_EQ(PrivilegeName(acl.Get(), 5), "");
}

TEST_F(Acls, UpdateChangesOnlyTheSelectedFieldsAndARenameClearsTheOthers) {
  MemoryRef acl;
  Create(acl);
  ACL_PRIVILEGES role = Roles({9}), other = Roles({12});
  for (const char* name : {"Jo", "Al", "Bo", "Cy"})
    ASSERT_EQ(ACLAddEntry(acl.Get(), name, ACL_LEVEL_EDITOR, &role, ACL_FLAG_PERSON), NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_FLAGS, "Ignored", ACL_LEVEL_READER, &other,
                           ACL_FLAG_GROUP),
            NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Al", ACL_UPDATE_NAME, "Alan", ACL_LEVEL_READER, &other, 0),
            NOERROR);
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "bo", ACL_UPDATE_NAME | ACL_UPDATE_LEVEL, "BO",
                           ACL_LEVEL_AUTHOR, nullptr, 0),
            NOERROR);
  // A null NewPrivileges clears them.
  ASSERT_EQ(ACLUpdateEntry(acl.Get(), "Cy", ACL_UPDATE_PRIVILEGES, nullptr, 0, nullptr, 0),
            NOERROR);
  EXPECT_EQ(EntriesOf(acl.Get()), (Entries{{"-Default-", ACL_LEVEL_NOACCESS, {}, 0},
                                           {"Jo", ACL_LEVEL_EDITOR, {9}, ACL_FLAG_GROUP},
                                           {"Alan", ACL_LEVEL_NOACCESS, {}, 0},
                                           {"BO", ACL_LEVEL_AUTHOR, {}, 0},
                                           {"Cy", ACL_LEVEL_EDITOR, {}, ACL_FLAG_PERSON}}));
}

TEST_F(Acls, RefusedChangesAndAnEntryBeyondAFullListLeaveTheListAsItWas) {
  MemoryRef acl;
  Create(acl);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Jo", ACL_LEVEL_EDITOR, nullptr, 0), NOERROR);
  ASSERT_EQ(ACLAddEntry(acl.Get(), "Al", ACL_LEVEL_EDITOR, nullptr, 0), NOERROR);
  Entries before = EntriesOf(acl.Get());
  const std::string tooLong(256, 'x');
  const std::pair<STATUS, STATUS> refused[] = {
      {ACLDeleteEntry(acl.Get(), nullptr), ERR_ACL_UNDELETABLE},
      {ACLDeleteEntry(acl.Get(), "-Default-"), ERR_ACL_UNDELETABLE},
      {ACLDeleteEntry(acl.Get(), "Nobody"), ERR_ACL_NOENTRY},
      {ACLAddEntry(acl.Get(), nullptr, ACL_LEVEL_READER, nullptr, 0), ERR_MISC_INVALID_ARGS},
      {ACLAddEntry(acl.Get(), "", ACL_LEVEL_READER, nullptr, 0), ERR_MISC_INVALID_ARGS},
      {ACLAddEntry(acl.Get(), tooLong.c_str(), ACL_LEVEL_READER, nullptr, 0),
       ERR_MISC_INVALID_ARGS},
      {ACLAddEntry(acl.Get(), "Cy", ACL_LEVEL_MANAGER + 1, nullptr, 0), ERR_MISC_INVALID_ARGS},
      {ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_NAME | ACL_UPDATE_LEVEL, "Joanna", 7, nullptr, 0),
       ERR_MISC_INVALID_ARGS},
      {ACLUpdateEntry(acl.Get(), "Nobody", ACL_UPDATE_LEVEL, nullptr, 1, nullptr, 0),
       ERR_ACL_NOENTRY},
      {ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_NAME, "al", 0, nullptr, 0),
       ERR_NOTESRT_ACL_DUPLICATE},
      {ACLUpdateEntry(acl.Get(), "Jo", ACL_UPDATE_NAME, nullptr, 0, nullptr, 0),
       ERR_MISC_INVALID_ARGS},
      {ACLUpdateEntry(acl.Get(), nullptr, ACL_UPDATE_NAME, "Everyone", 0, nullptr, 0),
       ERR_ACL_UNDELETABLE},
  };
  for (size_t index = 0; index < std::size(refused); ++index)
    EXPECT_EQ(refused[index].first, refused[index].second) << "call " << index;
  EXPECT_EQ(EntriesOf(acl.Get()), before);
  ASSERT_EQ(ACLDeleteEntry(acl.Get(), "JO"), NOERROR);
  EXPECT_EQ(NamesOf(acl.Get()), (std::vector<std::string>{"-Default-", "Al"}));
  STATUS status = NOERROR;
  int added = 0;
  while (status == NOERROR && added < 5000) {
    status = ACLAddEntry(acl.Get(), ("Person " + std::to_string(added)).c_str(), 2, nullptr, 0);
    if (status == NOERROR) ++added;
  }
  EXPECT_EQ(status, ERR_ACL_FULL);
  EXPECT_EQ(added + 2, static_cast<int>(EntriesOf(acl.Get()).size()));  // -Default- and Al
  ASSERT_EQ(ACLDeleteEntry(acl.Get(), "Person 0"), NOERROR);
  EXPECT_EQ(ACLAddEntry(acl.Get(), "Another", 2, nullptr, 0), NOERROR);
}

TEST_F(Acls, PrivilegeNamesAreDecoratedAndTheWalkGoesOnOverTheListAsItBegan) {
  MemoryRef acl;
  Create(acl);
  char level[] = "Old level", role[] = "Marketing", longest[] = "ABCDEFGHIJKLMNO",
       tooLong[] = "ABCDEFGHIJKLMNOP", empty[] = "", marketing[] = "MARKETING";
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
  EXPECT_EQ(ACLSetPrivName(acl.Get(), 9, marketing), ERR_NOTESRT_ACL_DUPLICATE);
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 8, marketing), NOERROR);
  EXPECT_EQ(PrivilegeName(acl.Get(), 8), "[MARKETING]");
  ASSERT_EQ(ACLSetPrivName(acl.Get(), 8, empty), NOERROR);
  EXPECT_EQ(PrivilegeName(acl.Get(), 8), "");
  EXPECT_EQ(PrivilegeName(acl.Get(), 9), "");
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
  MemoryRef memory;
  ASSERT_EQ(OSMemAlloc(0, 16, memory.Out()), NOERROR);
  char name[ACL_PRIVSTRINGMAX];
  DWORD flags = 0;
  ACL_PRIVILEGES none{};
  auto ignore = [](void*, char*, WORD, ACL_PRIVILEGES*, WORD) {};
  for (DHANDLE bad :
       {acl, memory.Get(), DHANDLE{db.Get()}, DHANDLE{NULLHANDLE}, DHANDLE{0x7FFFFFF}}) {
    EXPECT_EQ(ACLAddEntry(bad, "Jo", 2, &none, 0), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLUpdateEntry(bad, "Jo", ACL_UPDATE_LEVEL, nullptr, 2, &none, 0),
              ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLDeleteEntry(bad, "Jo"), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLEnumEntries(bad, ignore, nullptr), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLGetPrivName(bad, 5, name), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLGetFlags(bad, &flags), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ACLSetFlags(bad, 1), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(NSFDbStoreACL(db.Get(), bad, 0, 0), ERR_NOTESRT_INVALID_HANDLE);
  }
  EXPECT_EQ(OSMemFree(acl), ERR_NOTESRT_INVALID_HANDLE);
  MemoryRef read;
  EXPECT_EQ(NSFDbReadACL(NULLHANDLE, read.Out()), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(read.Get(), NULLHANDLE);
  EXPECT_EQ(NSFDbReadACL(db.Get(), nullptr), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_ACL), 0u);
}

// A list read is the caller's copy: what is not stored stays out of the database and its copies.
TEST_F(Acls, AStoredListIsReadBackAndCopiedByCreateAndCopyButNotByCopy) {
  StoreSample();
  {
    Stored acl("test.nsf");
    ASSERT_EQ(ACLDeleteEntry(acl.Get(), "Sales Team"), NOERROR);
    ASSERT_EQ(ACLSetFlags(acl.Get(), 0), NOERROR);
  }
  ExpectSampleIn("test.nsf");
  NewDatabase("plain.nsf");
  {
    DbRef source("test.nsf"), target("plain.nsf");
    TIMEDATE all{};
    TimeConstant(TIMEDATE_WILDCARD, &all);
    ASSERT_EQ(NSFDbCopy(source.Get(), target.Get(), all, NOTE_CLASS_ALL), NOERROR);
  }
  EXPECT_EQ(NamesOf(Stored("plain.nsf").Get()), std::vector<std::string>{"-Default-"});
  CopyDatabase("test.nsf", "copy.nsf");
  ExpectSampleIn("copy.nsf");
}

TEST_F(Acls, FilesFromBeforeListsAndDamagedRowsReadAsWhatCanBeRead) {
  vesktest::ExecuteOn(FileOf("test.nsf"),
                      "DROP TABLE acl; DROP TABLE acl_entries; DROP TABLE acl_privileges; "
                      "PRAGMA user_version = 2;");
  StoreSample();
  ExpectSampleIn("test.nsf");
  vesktest::ExecuteOn(
      FileOf("test.nsf"),
      "INSERT INTO acl_entries VALUES(10, 'Bad Level', 99, x'', 0);"
      "INSERT INTO acl_entries VALUES(11, 'sales team', 2, x'', 0);"
      "INSERT INTO acl_entries VALUES(12, 'Short Privileges', 3, x'20', -5);"
      "INSERT INTO acl_privileges VALUES(200, 'Far');"
      "INSERT INTO acl_privileges VALUES(9, 'Far Too Long For A Role');"
      "UPDATE acl_entries SET privileges = x'60000000000000000000FFFF' WHERE position = 1;");
  Stored acl("test.nsf");
  Entries entries = EntriesOf(acl.Get());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1].Privileges, (std::vector<int>{5, 6}));
  EXPECT_EQ(entries[3], (Entry{"Short Privileges", 3, {5}, 0}));
  EXPECT_EQ(PrivilegeName(acl.Get(), 9), "");
}

}  // namespace
