#include "FullTextFixture.h"

#include "notesapi/fterr.h"

#include <algorithm>
#include <cstring>

#include "notesapi/osmem.h"

namespace runtimetest {

namespace {

FtOutcome ReadResults(STATUS Status, DWORD Count, DHANDLE Results) {
  FtOutcome outcome;
  outcome.Status = Status;
  outcome.Count = Count;
  outcome.HadResults = Results != NULLHANDLE;
  if (!Results) return outcome;
  DWORD size = 0;
  EXPECT_EQ(OSMemGetSize(Results, &size), NOERROR);
  outcome.BlockSize = size;
  const char* block = static_cast<const char*>(OSLockObject(Results));
  FT_SEARCH_RESULTS header;
  std::memcpy(&header, block, sizeof header);
  outcome.Flags = header.Flags;
  EXPECT_EQ(header.NumHits, Count);
  const char* ids = block + sizeof header;
  outcome.Ids.resize(header.NumHits);
  std::memcpy(outcome.Ids.data(), ids, header.NumHits * sizeof(NOTEID));
  if (header.Flags & FT_RESULTS_SCORES) {
    const char* scores = ids + header.NumHits * sizeof(NOTEID);
    outcome.Scores.assign(scores, scores + header.NumHits);
  }
  OSUnlockObject(Results);
  EXPECT_EQ(OSMemFree(Results), NOERROR);
  return outcome;
}

}  // namespace

void FullTextTest::SetUp() {
  StorageTest::SetUp();
  FDb = std::make_unique<DbRef>(NewDatabase("ft.nsf"));
}

void FullTextTest::Reopen() {
  FDb.reset();
  FDb = std::make_unique<DbRef>(FileOf("ft.nsf").string());
}

void FullTextTest::TearDown() {
  FDb.reset();
  StorageTest::TearDown();
}

NOTEID FullTextTest::AddDocument(Fields Items) {
  NoteRef note;
  EXPECT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
  for (const auto& [name, text] : Items) AppendItem(note.Get(), name, TYPE_TEXT, Lmbcs(text), 0);
  EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  return IdOf(note.Get());
}

void FullTextTest::Rewrite(NOTEID Id, const std::string& Name, const std::string& Utf8) {
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(Db(), Id, 0, note.Out()), NOERROR);
  std::string text = Lmbcs(Utf8);
  ASSERT_EQ(NSFItemSetText(note.Get(), Name.c_str(), text.data(), static_cast<WORD>(text.size())),
            NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
}

FtOutcome FullTextTest::Search(const std::string& Utf8Query, DWORD Options, WORD Limit,
                               DHANDLE Refine) {
  DHANDLE search = NULLHANDLE;
  EXPECT_EQ(FTOpenSearch(&search), NOERROR);
  std::string query = Lmbcs(Utf8Query);
  DWORD count = 0;
  DHANDLE results = NULLHANDLE;
  STATUS status = FTSearch(Db(), &search, NULLHANDLE, query.data(), Options, Limit, Refine, &count,
                           nullptr, &results);
  EXPECT_EQ(FTCloseSearch(search), NOERROR);
  return ReadResults(status, count, results);
}

std::vector<NOTEID> FullTextTest::Found(const std::string& Utf8Query) {
  FtOutcome outcome = Search(Utf8Query);
  // No hits is the published ERR_FT_NOMATCHES, without results.
  if (outcome.Status == ERR_FT_NOMATCHES)
    EXPECT_FALSE(outcome.HadResults) << Utf8Query;
  else
    EXPECT_EQ(outcome.Status, NOERROR) << Utf8Query << ": " << StatusText(outcome.Status);
  return Sorted(outcome.Ids);
}

std::vector<NOTEID> Sorted(std::vector<NOTEID> Ids) {
  std::sort(Ids.begin(), Ids.end());
  return Ids;
}

}  // namespace runtimetest
