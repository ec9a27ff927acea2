#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/ft.h"
#include "notesapi/fterr.h"
#include "notesapi/osmem.h"

namespace runtimetest {

// What one FTSearch returned, read from its results block.
struct FtOutcome {
  STATUS Status = NOERROR;
  DWORD Count = 0;
  bool HadResults = false;
  WORD Flags = 0;
  std::vector<NOTEID> Ids;
  std::vector<BYTE> Scores;
  size_t BlockSize = 0;
};

using Ids = std::vector<NOTEID>;
using Fields = std::initializer_list<std::pair<std::string, std::string>>;

inline std::vector<NOTEID> Sorted(std::vector<NOTEID> Ids) {
  std::sort(Ids.begin(), Ids.end());
  return Ids;
}

// A database ft.nsf open for each test, documents made from item names and texts, and searches
// that read the published results block and free every handle.
class FullTextTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    FDb = std::make_unique<DbRef>(NewDatabase("ft.nsf"));
  }
  void TearDown() override {
    FDb.reset();
    StorageTest::TearDown();
  }

  DBHANDLE Db() const { return FDb->Get(); }
  // Closes the database, so that the file is read afresh, and opens it again.
  void Reopen() {
    FDb.reset();
    FDb = std::make_unique<DbRef>(FileOf("ft.nsf").string());
  }

  // A saved document with one TYPE_TEXT item per field (texts in UTF-8).
  NOTEID AddDocument(Fields Items) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
    for (const auto& [name, text] : Items) AppendItem(note.Get(), name, TYPE_TEXT, Lmbcs(text), 0);
    EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    return IdOf(note.Get());
  }

  // Replaces the text of one item of a saved note.
  void Rewrite(NOTEID Id, const std::string& Name, const std::string& Utf8) {
    NoteRef note;
    ASSERT_EQ(NSFNoteOpen(Db(), Id, 0, note.Out()), NOERROR);
    std::string text = Lmbcs(Utf8);
    ASSERT_EQ(NSFItemSetText(note.Get(), Name.c_str(), text.data(), static_cast<WORD>(text.size())),
              NOERROR);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }

  FtOutcome Search(const std::string& Utf8Query,
                   DWORD Options = FT_SEARCH_SCORES | FT_SEARCH_STEM_WORDS, WORD Limit = 0,
                   DHANDLE Refine = NULLHANDLE) {
    DHANDLE search = NULLHANDLE;
    EXPECT_EQ(FTOpenSearch(&search), NOERROR);
    std::string query = Lmbcs(Utf8Query);
    FtOutcome outcome;
    DHANDLE results = NULLHANDLE;
    outcome.Status = FTSearch(Db(), &search, NULLHANDLE, query.data(), Options, Limit, Refine,
                              &outcome.Count, nullptr, &results);
    EXPECT_EQ(FTCloseSearch(search), NOERROR);
    outcome.HadResults = results != NULLHANDLE;
    if (results) Read(results, outcome);
    return outcome;
  }

  // The note IDs found, sorted, for tests that do not look at the order.
  std::vector<NOTEID> Found(const std::string& Utf8Query) {
    FtOutcome outcome = Search(Utf8Query);
    // No hits is the published ERR_FT_NOMATCHES, without results.
    if (outcome.Status == ERR_FT_NOMATCHES)
      EXPECT_FALSE(outcome.HadResults) << Utf8Query;
    else
      EXPECT_EQ(outcome.Status, NOERROR) << Utf8Query << ": " << StatusText(outcome.Status);
    return Sorted(outcome.Ids);
  }

 private:
  // The header, IDs and scores of a results block, which is freed.
  static void Read(DHANDLE Results, FtOutcome& Outcome) {
    DWORD size = 0;
    EXPECT_EQ(OSMemGetSize(Results, &size), NOERROR);
    Outcome.BlockSize = size;
    const char* block = static_cast<const char*>(OSLockObject(Results));
    FT_SEARCH_RESULTS header;
    std::memcpy(&header, block, sizeof header);
    Outcome.Flags = header.Flags;
    EXPECT_EQ(header.NumHits, Outcome.Count);
    const char* ids = block + sizeof header;
    Outcome.Ids.resize(header.NumHits);
    std::memcpy(Outcome.Ids.data(), ids, header.NumHits * sizeof(NOTEID));
    if (header.Flags & FT_RESULTS_SCORES) {
      const char* scores = ids + header.NumHits * sizeof(NOTEID);
      Outcome.Scores.assign(scores, scores + header.NumHits);
    }
    OSUnlockObject(Results);
    EXPECT_EQ(OSMemFree(Results), NOERROR);
  }

  std::unique_ptr<DbRef> FDb;
};

}  // namespace runtimetest
