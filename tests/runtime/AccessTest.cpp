// Access control on a server's databases: what each level allows, reached through a person,
// a nested group, a wildcard and -Default-, by notes, copies, folders and profiles, and that
// every refusal leaves the file as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NameLookupFixture.h"
#include "notesapi/acl.h"
#include "notesapi/foldman.h"
#include "notesapi/idtable.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"

namespace {

using runtimetest::ActingAs;
using runtimetest::DbRef;
using runtimetest::MemoryRef;
using runtimetest::NoteRef;

constexpr char Server[] = "CN=Srv/O=Acme";
constexpr char User[] = "CN=Jo Bloggs/O=Acme";
constexpr char Other[] = "CN=Al Other/O=Acme";

class AccessTest : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, (FEnv.Root() / "servers").c_str());
    OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, User);
    ASSERT_EQ(NotesRTCreateServer(Server), NOERROR);
    {
      // Jo is in Inner, Inner in Outer; Outer also holds Inner again, a cycle.
      ActingAs server(Server);
      DbRef names(Path("names.nsf"));
      AddGroup(names.Get(), "Inner", {"Jo Bloggs/Acme", "Outer"});
      AddGroup(names.Get(), "Outer", {"Somebody Else/Acme", "Inner"});
    }
    NewDatabase("copies.nsf");
    FLocal = std::make_unique<DbRef>("copies.nsf");
    FLocalNote = Document(FLocal->Get(), User);
  }

  void TearDown() override {
    FLocal.reset();
    NameLookupTest::TearDown();
  }

  static std::string Path(const std::string& File) { return std::string(Server) + "!!" + File; }

  // A database of the server whose list gives Name the level and flags (Name "" makes them
  // -Default-'s) and the servers Manager, with a document Jo is an author of and one Al is.
  void MakeDatabase(const std::string& File, const std::string& Name, WORD Level, WORD Flags) {
    ActingAs server(Server);
    ASSERT_EQ(NSFDbCreate(Path(File).c_str(), DBCLASS_NOTEFILE, FALSE), NOERROR);
    DbRef db(Path(File));
    MemoryRef acl;
    ASSERT_EQ(ACLCreate(acl.Out()), NOERROR);
    ACL_PRIVILEGES none{};
    if (Name.empty())
      EXPECT_EQ(ACLUpdateEntry(acl.Get(), nullptr, ACL_UPDATE_LEVEL | ACL_UPDATE_FLAGS, nullptr,
                               Level, &none, Flags),
                NOERROR);
    else
      EXPECT_EQ(ACLAddEntry(acl.Get(), Name.c_str(), Level, &none, Flags), NOERROR);
    EXPECT_EQ(
        ACLAddEntry(acl.Get(), "LocalDomainServers", ACL_LEVEL_MANAGER, &none, ACL_FLAG_GROUP),
        NOERROR);
    EXPECT_EQ(NSFDbStoreACL(db.Get(), acl.Get(), 0, 1), NOERROR);
    FOwn = Document(db.Get(), User);
    FOthers = Document(db.Get(), Other);
    ASSERT_EQ(FolderCreate(db.Get(), NULLHANDLE, 0, NULLHANDLE, const_cast<char*>("Shared"), 6,
                           DESIGN_TYPE_SHARED, 0, &FFolder),
              NOERROR);
    ASSERT_EQ(UpdateProfile(db.Get()), NOERROR);
  }

  static STATUS UpdateProfile(DBHANDLE Db) {
    NoteRef profile;
    if (STATUS status = NSFProfileOpen(Db, "Settings", 8, nullptr, 0, FALSE, profile.Out()))
      return status;
    AppendText(profile.Get(), "Colour", "blue");
    return NSFProfileUpdate(profile.Get(), "Settings", 8, nullptr, 0);
  }

  STATUS Copy(DBHANDLE From, NOTEID Id, DBHANDLE To) {
    NOTEID copy = 0;
    return NSFDbCopyNote(From, nullptr, nullptr, Id, To, nullptr, nullptr, &copy, nullptr);
  }

  STATUS File(DBHANDLE Db, NOTEID Id) {
    MemoryRef table;
    EXPECT_EQ(IDCreateTable(sizeof(NOTEID), table.Out()), NOERROR);
    IDInsert(table.Get(), Id, nullptr);
    return FolderDocAdd(Db, NULLHANDLE, FFolder, table.Get(), 0);
  }

  NOTEID Document(DBHANDLE Db, const std::string& Author) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
    AppendText(note.Get(), "Subject", "by " + Author);
    AppendText(note.Get(), "DocAuthors", Author, ITEM_SUMMARY | ITEM_READWRITERS | ITEM_NAMES);
    EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    return IdOf(note.Get());
  }

  // Every note's ID and modification time and the stored list, as the server sees them.
  std::string Fingerprint(const std::string& File) {
    ActingAs server(Server);
    DbRef db(Path(File));
    std::string print;
    auto add = [](void* Print, SEARCH_MATCH* Match, ITEM_TABLE*) -> STATUS {
      SEARCH_MATCH match;
      std::memcpy(&match, Match, sizeof match);
      *static_cast<std::string*>(Print) +=
          std::to_string(match.ID.NoteID) + ":" + std::to_string(match.OriginatorID.Sequence) + ";";
      return NOERROR;
    };
    EXPECT_EQ(
        NSFSearch(db.Get(), NULLHANDLE, nullptr, 0, NOTE_CLASS_ALL, nullptr, add, &print, nullptr),
        NOERROR);
    for (const auto& [name, level] : AclOf(db.Get()))
      print += name + "=" + std::to_string(level) + ";";
    return print;
  }

  using AclEntries = std::vector<std::pair<std::string, WORD>>;
  static AclEntries AclOf(DBHANDLE Db) {
    AclEntries entries;
    MemoryRef acl;
    EXPECT_EQ(NSFDbReadACL(Db, acl.Out()), NOERROR);
    auto add = [](void* Entries, char* Name, WORD Level, ACL_PRIVILEGES*, WORD) {
      static_cast<AclEntries*>(Entries)->emplace_back(Name, Level);
    };
    ACLEnumEntries(acl.Get(), add, &entries);
    return entries;
  }

  // Changes stored note Id through a note of the caller's own that takes its ID, so that even
  // a user who may not read the note can try.
  STATUS Update(DBHANDLE Db, NOTEID Id, const std::string& Author) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
    NSFNoteSetInfo(note.Get(), _NOTE_ID, &Id);
    AppendText(note.Get(), "Subject", "changed");
    AppendText(note.Get(), "DocAuthors", Author, ITEM_SUMMARY | ITEM_READWRITERS | ITEM_NAMES);
    return NSFNoteUpdate(note.Get(), 0);
  }

  STATUS Create(DBHANDLE Db, WORD NoteClass) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
    NSFNoteSetInfo(note.Get(), _NOTE_CLASS, &NoteClass);
    return NSFNoteUpdate(note.Get(), 0);
  }

  STATUS StoreAcl(DBHANDLE Db) {
    MemoryRef acl;
    EXPECT_EQ(NSFDbReadACL(Db, acl.Out()), NOERROR);
    return NSFDbStoreACL(Db, acl.Get(), 0, 0);
  }

  // The operations of the matrix, in an order where none that is allowed changes what a
  // later one finds.
  STATUS Run(const std::string& Operation, DBHANDLE Db) {
    NoteRef note;
    if (Operation == "read") return NSFNoteOpen(Db, FOthers, 0, note.Out());
    if (Operation == "create") return Create(Db, NOTE_CLASS_DOCUMENT);
    if (Operation == "change own") return Update(Db, FOwn, User);
    if (Operation == "change other's") return Update(Db, FOthers, Other);
    if (Operation == "copy in") return Copy(FLocal->Get(), FLocalNote, Db);
    if (Operation == "copy out") return Copy(Db, FOthers, FLocal->Get());
    if (Operation == "file") return File(Db, FOwn);
    if (Operation == "profile") return UpdateProfile(Db);
    if (Operation == "delete") return NSFNoteDelete(Db, FOwn, 0);
    if (Operation == "change design") return Create(Db, NOTE_CLASS_FORM);
    if (Operation == "delete folder") return FolderDelete(Db, NULLHANDLE, FFolder, 0);
    return StoreAcl(Db);
  }

  std::unique_ptr<DbRef> FLocal;
  NOTEID FLocalNote = 0;
  NOTEID FOwn = 0;
  NOTEID FOthers = 0;
  NOTEID FFolder = 0;
};

struct Level {
  const char* Name;
  WORD Number;
  WORD Flags;
  // Allowed: open, then the operations below in their order.
  std::string Allowed;
};

const std::vector<std::string> Operations = {
    "read", "create",  "change own", "change other's", "copy in",       "copy out",
    "file", "profile", "delete",     "change design",  "delete folder", "store ACL"};

TEST_F(AccessTest, EachLevelAllowsExactlyItsOperationsByEveryRoute) {
  const std::vector<Level> levels = {
      {"No Access", ACL_LEVEL_NOACCESS, 0, "-------------"},
      {"Depositor", ACL_LEVEL_DEPOSITOR, 0, "Y-Y--Y-------"},
      {"Reader", ACL_LEVEL_READER, 0, "YY----Y------"},
      {"Author", ACL_LEVEL_AUTHOR, 0, "YYYY-YYY-Y---"},
      {"Author, no create", ACL_LEVEL_AUTHOR, ACL_FLAG_AUTHOR_NOCREATE, "YY-Y--YY-Y---"},
      {"Editor", ACL_LEVEL_EDITOR, 0, "YYYYYYYYYY---"},
      {"Editor, no delete", ACL_LEVEL_EDITOR, ACL_FLAG_NODELETE, "YYYYYYYYY----"},
      {"Editor, shared folders", ACL_LEVEL_EDITOR, ACL_FLAG_CREATE_FOLDER, "YYYYYYYYYY-Y-"},
      {"Designer", ACL_LEVEL_DESIGNER, 0, "YYYYYYYYYYYY-"},
      {"Manager", ACL_LEVEL_MANAGER, 0, "YYYYYYYYYYYYY"},
  };
  const std::vector<std::pair<const char*, std::string>> routes = {{"person", "Jo Bloggs/Acme"},
                                                                   {"nested group", "Outer"},
                                                                   {"wildcard", "*/O=Acme"},
                                                                   {"default", ""}};
  int database = 0;
  for (const Level& level : levels) {
    for (const auto& [route, entry] : routes) {
      const std::string what = std::string(level.Name) + " by " + route + ": ";
      const std::string file = "db" + std::to_string(++database) + ".nsf";
      MakeDatabase(file, entry, level.Number, level.Flags);
      DBHANDLE db = NULLHANDLE;
      STATUS opened = NSFDbOpen(Path(file).c_str(), &db);
      EXPECT_EQ(opened, level.Allowed[0] == 'Y' ? NOERROR : ERR_NOACCESS) << what << "open";
      for (size_t operation = 0; db && operation < Operations.size(); ++operation) {
        const std::string before = Fingerprint(file);
        STATUS status = Run(Operations[operation], db);
        bool allowed = level.Allowed[operation + 1] == 'Y';
        EXPECT_EQ(status, allowed ? NOERROR : ERR_NOACCESS) << what << Operations[operation];
        if (!allowed) {
          EXPECT_EQ(Fingerprint(file), before) << what << Operations[operation];
        }
      }
      if (db) NSFDbClose(db);
    }
  }
}

TEST_F(AccessTest, AccessGetReportsTheEffectiveLevelAndLocalDatabasesAreNotEnforced) {
  MakeDatabase("reader.nsf", "Inner", ACL_LEVEL_READER, ACL_FLAG_CREATE_PRFOLDER);
  DbRef db(Path("reader.nsf"));
  WORD level = 99, flags = 0;
  ASSERT_EQ(NSFDbAccessGet(db.Get(), &level, &flags), NOERROR);
  EXPECT_EQ(level, ACL_LEVEL_READER);
  EXPECT_EQ(flags, ACL_FLAG_CREATE_PRFOLDER);
  NewDatabase("local.nsf");
  DbRef local("local.nsf");
  ASSERT_EQ(NSFDbAccessGet(local.Get(), &level, &flags), NOERROR);
  EXPECT_EQ(level, ACL_LEVEL_MANAGER);
}

// Nobody raises their own access; a Manager who drops himself stores a whole list and is
// refused from then on.
TEST_F(AccessTest, OnlyAManagerStoresTheListAndLosesItWhenHeDropsHimself) {
  MakeDatabase("managed.nsf", "Jo Bloggs/Acme", ACL_LEVEL_MANAGER, 0);
  {
    DbRef db(Path("managed.nsf"));
    MemoryRef acl;
    ASSERT_EQ(NSFDbReadACL(db.Get(), acl.Out()), NOERROR);
    ASSERT_EQ(ACLDeleteEntry(acl.Get(), "Jo Bloggs/Acme"), NOERROR);
    EXPECT_EQ(NSFDbStoreACL(db.Get(), acl.Get(), 0, 0), NOERROR);
  }
  DBHANDLE db = NULLHANDLE;
  EXPECT_EQ(NSFDbOpen(Path("managed.nsf").c_str(), &db), ERR_NOACCESS);
  EXPECT_EQ(db, NULLHANDLE);
  ActingAs server(Server);
  DbRef again(Path("managed.nsf"));
  EXPECT_EQ(AclOf(again.Get()), (AclEntries{{"-Default-", 0}, {"LocalDomainServers", 6}}));
}

TEST_F(AccessTest, ACreatorManagesWhatHeMakesOnAServer) {
  ASSERT_EQ(NSFDbCreate(Path("mine.nsf").c_str(), DBCLASS_NOTEFILE, FALSE), NOERROR);
  DbRef db(Path("mine.nsf"));
  WORD level = 0;
  ASSERT_EQ(NSFDbAccessGet(db.Get(), &level, nullptr), NOERROR);
  EXPECT_EQ(level, ACL_LEVEL_MANAGER);
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, Other);
  DbRef other(Path("mine.nsf"));
  ASSERT_EQ(NSFDbAccessGet(other.Get(), &level, nullptr), NOERROR);
  EXPECT_EQ(level, ACL_LEVEL_DESIGNER);
}

}  // namespace
