// Damaged database files and misuse: damage written into real files with SQLite, then the
// runtime is asked to work with them; writers killed at random or running at once.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ChildDocument.h"
#include "ChildProcess.h"
#include "DamageTools.h"
#include "NameLookupFixture.h"
#include "StorageFixture.h"
#include "TestNotesEnv.h"
#include "notesapi/lookup.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;
using vesktest::ExecuteOn;
using vesktest::ValueOn;

class DamagedFiles : public runtimetest::StorageTest {
 protected:
  int64_t Counter() {
    return ValueOn(FileOf("test.nsf"), "SELECT next_note_id FROM header WHERE id = 1");
  }
};

// A note ID counter behind the stored notes (a damaged header, a restored backup), or one that
// would give ID 0, never makes a new note replace another: the counter is set right when the
// database opens, and again before any new note takes an ID.
TEST_F(DamagedFiles, ANewNoteNeverReplacesAnother) {
  const struct {
    const char* Name;
    const char* Counter;
  } Cases[] = {{"restored backup", "8"}, {"zero", "0"},           {"negative", "-4"}, {"odd", "13"},
               {"missing", "NULL"},      {"below the stub", "24"}};
  for (const auto& Case : Cases) {
    std::filesystem::remove(FileOf("test.nsf"));
    NewDatabase();
    std::vector<NOTEID> ids;
    {
      DbRef db("test.nsf");
      for (int index = 0; index < 6; ++index)
        ids.push_back(SaveDocument(db.Get(), "note " + std::to_string(index)));
      ASSERT_EQ(NSFNoteDelete(db.Get(), ids.back(), 0), NOERROR);  // a stub keeps its ID
    }
    ExecuteOn(FileOf("test.nsf"), std::string("UPDATE header SET next_note_id = ") + Case.Counter);
    DbRef db("test.nsf");
    EXPECT_GT(Counter(), static_cast<int64_t>(ids.back())) << Case.Name << ": not set at open";
    const NOTEID added = SaveDocument(db.Get(), "new");
    EXPECT_GT(added, ids.back()) << Case.Name;
    EXPECT_EQ(added % 4, 0u) << Case.Name;
    for (size_t index = 0; index + 1 < ids.size(); ++index)
      EXPECT_EQ(TextOf(db.Get(), ids[index]), "note " + std::to_string(index)) << Case.Name;
    EXPECT_EQ(TextOf(db.Get(), added), "new") << Case.Name;
  }
}

// The counter is also behind when another process moved it back while the database is open.
TEST_F(DamagedFiles, ACounterMovedBackWhileOpenIsSetRightBeforeTheNextNote) {
  NewDatabase();
  DbRef db("test.nsf");
  const NOTEID first = SaveDocument(db.Get(), "first");
  ExecuteOn(FileOf("test.nsf"), "UPDATE header SET next_note_id = 4");
  const NOTEID second = SaveDocument(db.Get(), "second");
  EXPECT_NE(second, first);
  EXPECT_EQ(TextOf(db.Get(), first), "first");
}

// The last note IDs are handed out, then the database says it has none left: an ID never wraps
// to 0 or to an ID in use.
TEST_F(DamagedFiles, NoteIdsNeverWrap) {
  NewDatabase();
  ExecuteOn(FileOf("test.nsf"), "UPDATE header SET next_note_id = 2147483640");
  DbRef db("test.nsf");
  EXPECT_EQ(SaveDocument(db.Get(), "one"), 2147483640u);
  EXPECT_EQ(SaveDocument(db.Get(), "two"), 2147483644u);
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  EXPECT_EQ(ERR(NSFNoteUpdate(note.Get(), UPDATE_NOCOMMIT)), ERR_NOTESRT_NOTE_IDS_USED);
  EXPECT_EQ(TextOf(db.Get(), 2147483640u), "one");
}

// "." and ".." name the servers directory and its parent: refused wherever a server name
// becomes a path, and nothing is made outside the servers directory.
TEST_F(DamagedFiles, DotServerNamesAreRefused) {
  const std::filesystem::path servers = FEnv.Root() / "servers";
  std::filesystem::create_directories(servers);
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, servers.c_str());
  const auto before = std::distance(std::filesystem::recursive_directory_iterator(FEnv.Root()),
                                    std::filesystem::recursive_directory_iterator());
  for (const char* name : {".", "..", " .. "}) {
    EXPECT_EQ(ERR(NotesRTCreateServer(name)), ERR_INV_SERVER_NAME) << name;
    const std::string path = std::string(name) + "!!mail.box";
    EXPECT_EQ(ERR(NSFDbCreate(path.c_str(), DBCLASS_NOTEFILE, FALSE)), ERR_INV_SERVER_NAME) << name;
    EXPECT_EQ(ERR(OpenStatus(path)), ERR_INV_SERVER_NAME) << name;
    EXPECT_EQ(ERR(NotesRTRouteMail(name, nullptr, nullptr, nullptr, nullptr)), ERR_INV_SERVER_NAME)
        << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(FEnv.Root()),
                          std::filesystem::recursive_directory_iterator()),
            before);
}

class DamagedBook : public runtimetest::NameLookupTest {};

// One damaged person document costs only itself: the lookup finds everybody else and the log
// names the note and the book.
TEST_F(DamagedBook, OneDamagedPersonCostsOnlyItself) {
  NewDatabase("names.nsf");
  NOTEID broken = 0;
  {
    DbRef book("names.nsf");
    AddPerson(book.Get(), "John", "Smith");
    broken = AddPerson(book.Get(), "Joan", "Smith");
    AddPerson(book.Get(), "Mary", "Major");
  }
  ExecuteOn(FileOf("names.nsf"), "UPDATE notes SET items = x'" + std::string(64, 'F') +
                                     "' WHERE note_id = " + std::to_string(broken));
  vesktest::LogCapture log;
  EXPECT_EQ(Find("Smith", 0, "FirstName"), std::vector<std::string>{"John"});
  std::vector<std::string> everybody = Find("*", NAME_LOOKUP_ALL, "FirstName");
  std::sort(everybody.begin(), everybody.end());
  EXPECT_EQ(everybody, (std::vector<std::string>{"John", "Mary"}));
  EXPECT_NE(log.Text().find("note " + std::to_string(broken) + " cannot be read"),
            std::string::npos)
      << log.Text();
}

// Before NotesInit the settings are not read: what reaches a database returns a status.
TEST(BeforeNotesInit, DatabaseFunctionsReturnAStatus) {
  vesktest::TestNotesEnv env;
  DBHANDLE db = NULLHANDLE;
  const struct {
    const char* Name;
    std::function<STATUS()> Call;
  } Cases[] = {
      {"NSFDbCreate", [] { return NSFDbCreate("new.nsf", DBCLASS_NOTEFILE, FALSE); }},
      {"NSFDbOpen", [&] { return NSFDbOpen("new.nsf", &db); }},
      {"NSFDbCreateAndCopy",
       [&] { return NSFDbCreateAndCopy("mail.ntf", "copy.nsf", NOTE_CLASS_ALL, 0, 0, &db); }},
      {"NotesRTCreateServer", [] { return NotesRTCreateServer(""); }},
      {"NotesRTRouteMail", [] { return NotesRTRouteMail("", nullptr, nullptr, nullptr, nullptr); }},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(ERR(Case.Call()), ERR_NOTESRT_NOT_INITIALIZED) << Case.Name;
  EXPECT_FALSE(std::filesystem::exists(env.DataDir() / "new.nsf"));
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(NSFDbCreate("new.nsf", DBCLASS_NOTEFILE, FALSE), NOERROR);
  NotesTerm();
}

// Address books kept open between lookups: a book replaced or deleted on disk behind the
// runtime's back is let go, and NotesTerm closes every kept file.
using Strings = std::vector<std::string>;

class KeptBooks : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    NewDatabase("names.nsf");
    AddPerson(DbRef("names.nsf").Get(), "John", "Doe");
  }

  // Whether this process has a file open whose path begins with the book's path (its journal
  // files included): one on disk, or one deleted or replaced since it was opened.
  bool BookFileOpen(bool Gone = false) const {
    const std::string book = std::filesystem::weakly_canonical(FileOf("names.nsf")).string();
    const std::string deleted = " (deleted)";
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
      const bool isGone =
          target.size() > deleted.size() &&
          target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0;
      if (!error && target.rfind(book, 0) == 0 && isGone == Gone) return true;
    }
    return false;
  }
};

TEST_F(KeptBooks, ABookReplacedOrDeletedOnDiskIsLetGo) {
  const struct {
    const char* Name;
    bool Replace;  // else the book is deleted
  } cases[] = {{"replaced by a book with other people", true}, {"deleted", false}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.Name);
    std::filesystem::remove(FileOf("names.nsf"));
    std::filesystem::remove(FileOf("other.nsf"));
    NewDatabase("names.nsf");
    AddPerson(DbRef("names.nsf").Get(), "John", "Doe");
    ASSERT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
    ASSERT_TRUE(BookFileOpen()) << "the book is not kept between lookups";
    if (each.Replace) {
      NewDatabase("other.nsf");
      AddPerson(DbRef("other.nsf").Get(), "Mary", "Major");
      // As another program replaces a file: the new one renamed over the old.
      std::filesystem::rename(FileOf("other.nsf"), FileOf("names.nsf"));
      EXPECT_EQ(Find("John Doe"), Strings{});
      EXPECT_EQ(Find("Mary Major"), Strings{"CN=Mary Major/O=Acme"});
    } else {
      std::filesystem::remove(FileOf("names.nsf"));
      runtimetest::TLookupResult result;
      EXPECT_EQ(Lookup("", 0, {"$Users"}, {"John Doe"}, {"FullName"}, result), ERR_NO_NAMES_FILE);
      EXPECT_FALSE(BookFileOpen()) << "a deleted book's journal is still open";
    }
    EXPECT_FALSE(BookFileOpen(true)) << "the old book is still open";
  }
}

TEST_F(KeptBooks, NotesTermClosesEveryKeptBook) {
  ASSERT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
  ASSERT_TRUE(BookFileOpen());
  NotesTerm();
  EXPECT_FALSE(BookFileOpen());
  EXPECT_FALSE(BookFileOpen(true));
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
}

// Real processes against one database file: a writer killed at random moments loses nothing it
// reported saved and leaves nothing half written; two writers at once lose nothing and see no
// "locked" error.
// A running storage_child, which reports each save as "<index> <note ID>".
class Child : public vesktest::ChildProcess {
 public:
  Child(const std::string& Database, long First, long Count)
      : ChildProcess({STORAGE_CHILD_PATH, Database, std::to_string(First), std::to_string(Count)}) {
  }

  // The next reported save; false at the end of the output.
  bool NextSave(long& Index, NOTEID& Id) {
    std::string line;
    return ReadLine(line) && std::sscanf(line.c_str(), "%ld %u", &Index, &Id) == 2;
  }
};

class Reliability : public runtimetest::StorageTest {
 protected:
  std::string IntegrityCheck() {
    sqlite3* db = nullptr;
    sqlite3_open_v2(FileOf("test.nsf").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::string result;
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* Out, int, char** Values, char**) {
          *static_cast<std::string*>(Out) += Values[0] ? Values[0] : "";
          return 0;
        },
        &result, nullptr);
    sqlite3_close(db);
    return result;
  }

  // Every note in the file is whole; returns them by index.
  std::map<long, NOTEID> WholeDocuments(DBHANDLE Db, NOTEID Highest) {
    std::map<long, NOTEID> documents;
    for (NOTEID id = 4; id <= Highest + 400; id += 4) {
      NoteRef note;
      if (NSFNoteOpen(Db, id, 0, note.Out()) != NOERROR) continue;
      long index = childdoc::CheckWhole(note.Get());
      EXPECT_GE(index, 0) << "note " << id << " is not whole";
      EXPECT_EQ(documents.count(index), 0u) << "document " << index << " saved twice";
      documents[index] = id;
    }
    return documents;
  }
};

TEST_F(Reliability, KilledWriterLosesNoReportedSave) {
  NewDatabase();
  std::mt19937 random(20240601);
  std::map<long, NOTEID> reported;
  long next = 0;
  for (int trial = 0; trial < 30; ++trial) {
    Child child("test.nsf", next, 100000);
    long index = 0;
    NOTEID id = 0;
    int before = static_cast<int>(random() % 8);
    for (int save = 0; save < before && child.NextSave(index, id); ++save) reported[index] = id;
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    child.Kill();
    while (child.NextSave(index, id)) reported[index] = id;
    next += 1000;

    ASSERT_EQ(IntegrityCheck(), "ok") << "trial " << trial;
    DbRef db("test.nsf");
    NOTEID highest = reported.empty() ? 0 : reported.rbegin()->second;
    for (const auto& [savedIndex, savedId] : reported) highest = std::max(highest, savedId);
    std::map<long, NOTEID> whole = WholeDocuments(db.Get(), highest);
    for (const auto& [savedIndex, savedId] : reported) {
      auto found = whole.find(savedIndex);
      ASSERT_NE(found, whole.end()) << "trial " << trial << ": lost document " << savedIndex;
      EXPECT_EQ(found->second, savedId);
    }
  }
  EXPECT_GT(reported.size(), 30u);
}

TEST_F(Reliability, TwoWritersAtOnceLoseNothing) {
  NewDatabase();
  constexpr long PerWriter = 150;
  Child first("test.nsf", 0, PerWriter), second("test.nsf", 10000, PerWriter);
  std::map<long, NOTEID> reported;
  long index = 0;
  NOTEID id = 0;
  while (first.NextSave(index, id)) reported[index] = id;
  while (second.NextSave(index, id)) reported[index] = id;
  ASSERT_EQ(first.Wait(), 0);
  ASSERT_EQ(second.Wait(), 0);
  ASSERT_EQ(reported.size(), 2 * PerWriter);
  DbRef db("test.nsf");
  std::map<long, NOTEID> whole = WholeDocuments(db.Get(), 4 * 2 * PerWriter);
  EXPECT_EQ(whole, reported);
}

TEST_F(Reliability, TermFromAStaticDestructorEndsTheProcessCleanly) {
  NewDatabase();
  vesktest::ChildProcess child({EXIT_TERM_CHILD_PATH, FileOf("test.nsf").string()});
  std::string line;
  ASSERT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line, "open");
  EXPECT_EQ(child.Wait(), 0);
  DbRef db("test.nsf");
  EXPECT_NE(db.Get(), NULLHANDLE) << "the file is still usable";
}

}  // namespace
