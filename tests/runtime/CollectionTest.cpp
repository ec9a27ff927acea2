// Collections of views and folders as NIFReadEntries hands them out: order, paging, category
// and total rows, entries per value, responses, handles; the view index behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DamageTools.h"
#include "ViewFixtureTest.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osmem.h"

namespace runtimetest {
namespace {

using notesrt::design::TViewSpec;

class CollectionTest : public ViewsTest {
 protected:
  NOTEID SortedView(const std::string& Flags = "S") {
    return AddView(TViewSpec{"Sorted", "", {{"Key", "", Flags}}, false, false, ""});
  }
};

// Each entry as "#<document>" (its place in the case's list), "cat", "cat<level>" or "total",
// with its summary values in brackets.
std::string Render(const ReadEntry& Entry, const std::vector<NOTEID>& Docs) {
  std::string text = "cat";
  if (!(Entry.Id & NOTEID_CATEGORY))
    text = "#" + std::to_string(std::find(Docs.begin(), Docs.end(), Entry.Id) - Docs.begin());
  else if (Entry.Id == NOTEID_CATEGORY_TOTAL)
    text = "total";
  else if (DWORD level = Entry.Id & ~NOTEID_CATEGORY)
    text += std::to_string(level >> 24) + (level & NOTEID_CATEGORY_ID ? "+" : "");
  std::string values;
  for (const auto& [name, value] : Entry.Values) values += (values.empty() ? "" : ",") + value;
  return text + (values.empty() ? "" : "(" + values + ")");
}

// Documents with one item, Key, of these values; responses to the documents at the places
// Parents gives (-1 for none).
std::vector<std::pair<Fields, int>> Keys(const std::vector<FieldValue>& Values,
                                         std::vector<int> Parents = {}) {
  std::vector<std::pair<Fields, int>> documents;
  Parents.resize(Values.size(), -1);
  for (size_t at = 0; at < Values.size(); ++at)
    documents.push_back({{{"Key", Values[at]}}, Parents[at]});
  return documents;
}

// Every case has the database to itself: its documents go again before the next.
TEST_F(CollectionTest, EntriesComeInTheOrderTheViewsColumnsAndSelectionGive) {
  TIMEDATE now{};
  OSCurrentTIMEDATE(&now);
  auto spec = [](const char* Selection, std::vector<notesrt::design::TColumnText> Columns,
                 bool Hierarchy = false) {
    return TViewSpec{"T", Selection, std::move(Columns), false, Hierarchy, ""};
  };
  const TViewSpec sorted = spec("", {{"Key", "", "S"}}), descending = spec("", {{"Key", "", "SD"}}),
                  selected = spec("SELECT Key != \"a\"", {{"Key", "", ""}}),
                  nested = spec("", {{"Cat", "", "C"}, {"Key", "", "C"}}),
                  multiple = spec("", {{"Key", "", "SM"}}), totals = spec("", {{"Key", "", "T"}}),
                  threads = spec("", {{"Key", "", "S"}}, true),
                  descendants = spec("SELECT Key = \"Topic\" | @AllDescendants", {}, true);
  const std::vector<std::pair<Fields, int>> dated = {{{{"Cat", "2024"}, {"Key", "May"}}, -1}};
  std::vector<std::pair<Fields, int>> types = Keys({"1", 10.0, -2.5, "1", now});
  types.insert(types.begin() + 1, {{{"Other", "x"}}, -1});  // no key
  const struct {
    const char* Name;
    const TViewSpec& View;
    std::vector<std::pair<Fields, int>> Documents;
    std::string Expected;
  } cases[] = {
      {"text sorts without case or accents, then lower case first", sorted,
       Keys({"beta", "Alpha", "alpha",
             "\x81"
             "ber",
             "ab", "Beta"}),
       "#4(ab) #2(alpha) #1(Alpha) #0(beta) #5(Beta) #3(\x81"
       "ber)"},
      {"empty, numbers, times, text; ties by note ID", sorted, types,
       "#1 #3(-2.5) #2(10) #5(type 1024) #0(1) #4(1)"},
      {"descending", descending, Keys({2.0, 3.0, 1.0}), "#1(3) #0(2) #2(1)"},
      {"no sorted column: note ID order, selection applied", selected, Keys({"z", "a", "b"}),
       "#0(z) #2(b)"},
      {"nested categories carry their level", nested, dated, "cat(2024) cat1(May) #0(2024,May)"},
      {"one entry per value of a list", multiple,
       Keys({std::vector<std::string>{"zed", "Ann", "bob"}, "carl"}),
       "#0(Ann) #0(bob) #1(carl) #0(zed)"},
      {"a totals row sums the total column", totals, Keys({2.5, 4.0}), "#0(2.5) #1(4) total(6.5)"},
      {"responses follow their parents in a hierarchy", threads,
       Keys({"b", "a", "z", "y"}, {-1, -1, 0, 2}), "#1(a) #0(b) #2(z) #3(y)"},
      {"without a hierarchy responses sort as any document", sorted,
       Keys({"b", "a", "z", "y"}, {-1, -1, 0, 2}), "#1(a) #0(b) #3(y) #2(z)"},
      {"@AllDescendants brings in the responses of selected documents", descendants,
       Keys({"Topic", "Reply", "Reply", "Other"}, {-1, 0, 1}), "#0 #1 #2"},
  };
  for (const auto& c : cases) {
    std::vector<NOTEID> docs;
    for (const auto& [fields, parent] : c.Documents)
      docs.push_back(Doc(fields, parent < 0 ? 0 : docs[parent]));
    NOTEID view = AddView(c.View);
    std::string entries;
    for (const ReadEntry& entry : ReadAll(view))
      entries += (entries.empty() ? "" : " ") + Render(entry, docs);
    EXPECT_EQ(entries, c.Expected) << c.Name;
    for (NOTEID id : docs) ASSERT_EQ(NSFNoteDelete(FDb, id, UPDATE_NOSTUB), NOERROR) << c.Name;
    ASSERT_EQ(NSFNoteDelete(FDb, view, UPDATE_NOSTUB), NOERROR) << c.Name;
  }
}

TEST_F(CollectionTest, EmptyViewGivesNoBufferNoEntriesAndNoMore) {
  HCOLLECTION collection = Open(SortedView());
  COLLECTIONPOSITION position{};
  DHANDLE buffer = 1;
  DWORD count = 7;
  WORD signals = 0xFFFF;
  EXPECT_EQ(NIFReadEntries(collection, &position, NAVIGATE_NEXT, 1, NAVIGATE_NEXT, 65535, 0x8001,
                           &buffer, nullptr, nullptr, &count, &signals),
            NOERROR);
  EXPECT_EQ(buffer, NULLHANDLE);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(signals, 0);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

// A summary can use all of its 65,535 bytes; with the note ID in front the entry cannot.
TEST_F(CollectionTest, EntryLargerThanABufferComesAloneWithItsSummaryCut) {
  std::string first(40000, 'x');
  std::string second(65535 - 4 - 2 * 4 - (1 + 2 + 40000) - (1 + 2), 'y');
  NOTEID small = Doc({{"A", "a"}, {"B", "b"}});
  NOTEID huge = Doc({{"A", first}, {"B", second}});
  NOTEID view = AddView(TViewSpec{"Cut", "", {{"A", "", ""}, {"B", "", ""}}, false, false, ""});
  size_t calls = 0;
  std::vector<ReadEntry> entries = ReadAll(view, &calls);
  ASSERT_EQ(Ids(entries), (std::vector<NOTEID>{small, huge}));
  EXPECT_EQ(calls, 2u);
  EXPECT_EQ(entries[0].SummaryItems, 2u);
  EXPECT_EQ(entries[1].SummaryItems, 1u);
  EXPECT_EQ(entries[1].Values["A"], first);
}

TEST_F(CollectionTest, PositionMovesToTheLastEntryReturned) {
  for (double key : {1.0, 2.0, 3.0}) Doc({{"Key", key}});
  HCOLLECTION collection = Open(SortedView());
  COLLECTIONPOSITION position{};
  position.Tumbler[0] = 2;
  DHANDLE buffer = NULLHANDLE;
  DWORD count = 0, skipped = 9;
  ASSERT_EQ(NIFReadEntries(collection, &position, NAVIGATE_NEXT, 0, NAVIGATE_NEXT, 1, 0x8001,
                           &buffer, nullptr, &skipped, &count, nullptr),
            NOERROR);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(skipped, 0u);
  std::vector<ReadEntry> entries = Decode(static_cast<char*>(OSLockObject(buffer)), 0xFFFF, count);
  OSUnlockObject(buffer);
  OSMemFree(buffer);
  EXPECT_EQ(entries[0].Values["Key"], "2");
  EXPECT_EQ(position.Tumbler[0], 2u);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(CollectionTest, NavigatorsStepOverCategoriesOrBackwards) {
  NOTEID a = Doc({{"Cat", "A"}});
  NOTEID b = Doc({{"Cat", "B"}});
  HCOLLECTION collection =
      Open(AddView(TViewSpec{"ByCat", "", {{"Cat", "", "C"}}, false, false, ""}));
  auto read = [&](COLLECTIONPOSITION& Position, WORD Skip, WORD Return, DWORD Count) {
    return ReadIds(collection, Position, Skip, Return, Count);
  };
  COLLECTIONPOSITION position{};
  EXPECT_EQ(read(position, NAVIGATE_NEXT_NONCATEGORY, NAVIGATE_NEXT_NONCATEGORY, 10),
            (std::vector<NOTEID>{a, b}));
  EXPECT_EQ(position.Level, 1);
  EXPECT_EQ(position.Tumbler[0], 2u);
  EXPECT_EQ(read(position, NAVIGATE_PREV, NAVIGATE_PREV, 10),
            (std::vector<NOTEID>{NOTEID_CATEGORY, a, NOTEID_CATEGORY}));
  COLLECTIONPOSITION start{};
  EXPECT_EQ(read(start, NAVIGATE_NEXT_CATEGORY, NAVIGATE_NEXT_CATEGORY, 10),
            (std::vector<NOTEID>{NOTEID_CATEGORY, NOTEID_CATEGORY}));
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(CollectionTest, ReadsWorkAfterTheDatabaseHandleIsClosed) {
  NOTEID doc = Doc({{"Key", "k"}});
  NOTEID view = SortedView();
  HCOLLECTION collection = Open(view);
  ASSERT_EQ(NSFDbClose(FDb), NOERROR);
  FDb = NULLHANDLE;
  EXPECT_EQ(NIFUpdateCollection(collection), NOERROR);
  COLLECTIONPOSITION position{};
  EXPECT_EQ(ReadIds(collection, position), std::vector<NOTEID>{doc});
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(CollectionTest, StaleAndWrongHandlesNonViewsAndUnsupportedReadsAreRefused) {
  HCOLLECTION collection = Open(SortedView());
  COLLECTIONPOSITION position{};
  DWORD count = 0;
  auto read = [&](WORD Skip, DWORD Flags, DWORD* Count) {
    return NIFReadEntries(collection, &position, Skip, 1, 1, 1, Flags, nullptr, nullptr, nullptr,
                          Count, nullptr);
  };
  EXPECT_EQ(read(1, READ_MASK_COLLECTIONSTATS, nullptr), ERR_UNSUPPORTED_FLAGS);
  EXPECT_EQ(read(NAVIGATE_NEXT_UNREAD, 1, nullptr), ERR_UNSUPPORTED_FLAGS);
  ASSERT_EQ(NIFCloseCollection(collection), NOERROR);
  EXPECT_EQ(read(1, 0x8001, &count), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFUpdateCollection(collection), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFCloseCollection(collection), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFCloseCollection(static_cast<HCOLLECTION>(FDb)), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(OpenCollectionStatus(FDb, Doc({{"Key", "k"}})), ERR_NOTESRT_NOT_VIEW);
  EXPECT_EQ(OpenCollectionStatus(FDb, 0x7FFFFFF0), ERR_INVALID_NOTE);
}

// The view index kept in the database: built once, then brought up to date only from the notes
// changed since.
// How many entries a collection holds.
size_t CountEntries(HCOLLECTION Collection) {
  COLLECTIONPOSITION position{};
  return ReadIds(Collection, position).size();
}

class ViewIndexTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    for (int index = 0; index < 5; ++index)
      FDocs.push_back(Doc({{"Form", "Memo"}, {"Subject", "s" + std::to_string(index)}}));
    FView = AddView(
        TViewSpec{"Memos", "SELECT Form = \"Memo\"", {{"Subject", "", "S"}}, false, false, ""});
  }

  DWORD Evaluations() {
    DWORD evaluations = 0;
    ReadAll(FView, nullptr, &evaluations);
    return evaluations;
  }

  std::vector<NOTEID> FDocs;
  NOTEID FView = 0;
};

TEST_F(ViewIndexTest, OnlyChangedDocumentsAreEvaluatedAgainEvenAfterReopening) {
  EXPECT_EQ(Evaluations(), 5u);
  EXPECT_EQ(Evaluations(), 0u);
  EXPECT_EQ(Ids(ReadAll(FView)), FDocs);
  ASSERT_EQ(NSFDbClose(FDb), NOERROR);
  ASSERT_EQ(NSFDbOpen("views.nsf", &FDb), NOERROR);
  EXPECT_EQ(Evaluations(), 0u);
  Evaluations();
  Change(FDocs[1], {{"Subject", "zz"}});
  EXPECT_EQ(Evaluations(), 1u);
  EXPECT_EQ(Column(ReadAll(FView), "Subject"),
            (std::vector<std::string>{"s0", "s2", "s3", "s4", "zz"}));
  Change(FDocs[2], {{"Form", "Other"}});
  EXPECT_EQ(Evaluations(), 1u);
  EXPECT_EQ(ReadAll(FView).size(), 4u);
}

// A deleted document leaves no row behind; a deleted view takes its index along.
TEST_F(ViewIndexTest, DeletedDocumentsLeaveTheViewAndADeletedViewTakesItsIndex) {
  Evaluations();
  ASSERT_EQ(NSFNoteDelete(FDb, FDocs[0], 0), NOERROR);
  NOTEID added = Doc({{"Form", "Memo"}, {"Subject", "a"}});
  // Only the added document is evaluated: a deletion is no reason to build the index again.
  EXPECT_EQ(Evaluations(), 1u);
  // Without a stub there is nothing to find the deletion by: the index is built again.
  ASSERT_EQ(NSFNoteDelete(FDb, FDocs[1], UPDATE_NOSTUB), NOERROR);
  EXPECT_EQ(Ids(ReadAll(FView)), (std::vector<NOTEID>{added, FDocs[2], FDocs[3], FDocs[4]}));
  std::string rows =
      "SELECT count(*) FROM view_entries WHERE note_id = " + std::to_string(FDocs[0]);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), rows), 0);
  std::string entries =
      "SELECT count(*) FROM view_entries WHERE view_id = " + std::to_string(FView);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), entries), 4);
  ASSERT_EQ(NSFNoteDelete(FDb, FView, 0), NOERROR);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), entries), 0);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), "SELECT count(*) FROM view_index"), 0);
  EXPECT_EQ(OpenCollectionStatus(FDb, FView), ERR_NOTE_DELETED);
}

TEST_F(ViewIndexTest, ChangedDesignRebuildsTheIndex) {
  Evaluations();
  NoteRef view;
  ASSERT_EQ(NSFNoteOpen(FDb, FView, 0, view.Out()), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(view.Get(), 0), NOERROR);
  EXPECT_EQ(Evaluations(), 5u);
  HCOLLECTION collection = Open(FView, OPEN_REBUILD_INDEX);  // so does the flag
  DWORD evaluations = 0;
  EXPECT_EQ(NotesRTCollectionEvaluations(collection, &evaluations), NOERROR);
  EXPECT_EQ(evaluations, 5u);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(ViewIndexTest, OpenCollectionsKeepTheirOwnSnapshotsUntilUpdated) {
  HCOLLECTION collection = Open(FView);
  Doc({{"Form", "Memo"}, {"Subject", "new"}});
  EXPECT_EQ(CountEntries(collection), 5u);
  ASSERT_EQ(NIFUpdateCollection(collection), NOERROR);
  EXPECT_EQ(CountEntries(collection), 6u);
  DWORD evaluations = 0;
  EXPECT_EQ(NotesRTCollectionEvaluations(collection, &evaluations), NOERROR);
  EXPECT_EQ(evaluations, 1u);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
  HCOLLECTION first = Open(FView);
  Change(FDocs[0], {{"Form", "Other"}});
  HCOLLECTION second = Open(FView);
  EXPECT_EQ(CountEntries(first), 6u);
  EXPECT_EQ(CountEntries(second), 5u);
  EXPECT_EQ(NIFCloseCollection(second), NOERROR);
  EXPECT_EQ(CountEntries(first), 6u);
  EXPECT_EQ(NIFCloseCollection(first), NOERROR);
}

TEST_F(ViewIndexTest, DocumentsAnotherProcessSavedAreAddedIncrementally) {
  NOTEID all = AddView(TViewSpec{"All", "", {}, false, false, ""});
  DWORD evaluations = 0;
  ReadAll(all, nullptr, &evaluations);
  ASSERT_EQ(vesktest::ChildProcess({STORAGE_CHILD_PATH, "views.nsf", "0", "3"}).Wait(), 0);
  EXPECT_EQ(ReadAll(all, nullptr, &evaluations).size(), FDocs.size() + 3);
  EXPECT_EQ(evaluations, 3u);
}

TEST_F(ViewIndexTest, ViewOfTheCurrentUserIsEvaluatedAtEveryOpen) {
  SetUser("CN=Ann/O=Acme");
  NOTEID ann = Doc({{"Owner", "CN=Ann/O=Acme"}});
  Doc({{"Owner", "CN=Bob/O=Acme"}});
  NOTEID mine = AddView(TViewSpec{"Mine", "SELECT Owner = @UserName", {}, false, false, ""});
  EXPECT_EQ(Ids(ReadAll(mine)), (std::vector<NOTEID>{ann}));
  SetUser("CN=Carl/O=Acme");
  EXPECT_TRUE(ReadAll(mine).empty());
}

// Notes opened in the order of a collection just read are read ahead in batches; every open
// still returns the note as stored at that moment, whoever changed it in between.
constexpr int Documents = 40;
// Opened before the change: the change falls inside the batch read for them.
constexpr int OpenedBefore = 3;
constexpr int Changed = 5;

using ReadAheadTest = ViewsTest;

TEST_F(ReadAheadTest, EveryOpenSeesTheNoteAsStoredThen) {
  enum THow { Save, Delete, SqlReplace, SqlDelete };
  const struct {
    const char* Name;
    THow How;
    std::string Expected;
  } cases[] = {
      {"saved through another handle", Save, "new"},
      {"deleted through another handle", Delete, "status " + std::to_string(ERR_NOTE_DELETED)},
      {"items replaced by another connection", SqlReplace, "s0"},
      {"deleted by another connection", SqlDelete, "status " + std::to_string(ERR_INVALID_NOTE)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Name);
    std::vector<NOTEID> ids;
    for (int index = 0; index < Documents; ++index)
      ids.push_back(Doc({{"Case", test.Name}, {"Subject", "s" + std::to_string(index)}}));
    const std::string selection = std::string("SELECT Case = \"") + test.Name + "\"";
    NOTEID view = AddView({test.Name, selection, {{"Subject", "", ""}}, false, false, ""});
    // Read as the object library reads a view before it opens the documents.
    ASSERT_EQ(Ids(ReadAll(view)), ids);
    for (int index = 0; index < OpenedBefore; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]), "s" + std::to_string(index));
    const std::string changed = std::to_string(ids[Changed]);
    if (test.How == Save) Change(ids[Changed], {{"Subject", "new"}});
    if (test.How == Delete) NSFNoteDelete(FDb, ids[Changed], 0);
    // Another connection to the file, as another process has.
    if (test.How == SqlReplace)
      vesktest::ExecuteOn(FileOf("views.nsf"),
                          "UPDATE notes SET items = (SELECT items FROM notes WHERE note_id = " +
                              std::to_string(ids[0]) + ") WHERE note_id = " + changed);
    if (test.How == SqlDelete)
      vesktest::ExecuteOn(FileOf("views.nsf"), "DELETE FROM notes WHERE note_id = " + changed);
    for (int index = OpenedBefore; index < Documents; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]),
                index == Changed ? test.Expected : "s" + std::to_string(index))
          << "document " << index;
  }
}

}  // namespace
}  // namespace runtimetest
