// Real processes against one database file: a writer killed at random moments loses nothing it
// reported saved and leaves nothing half written; two writers at once lose nothing and see no
// "locked" error.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <thread>

#include "ChildDocument.h"
#include "ChildProcess.h"
#include "StorageFixture.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

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
