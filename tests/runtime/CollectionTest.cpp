// Collections of views and folders as NIFReadEntries hands them out: order, paging, category
// and total rows, entries per value, responses, handles.
#include <gtest/gtest.h>

#include "ViewFixtureTest.h"
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

TEST_F(CollectionTest, TextSortsWithoutCaseOrAccentsFirstAndThenByCase) {
  for (const char* key : {"beta", "Alpha", "alpha",
                          "\x81"
                          "ber",
                          "ab", "Beta"})
    Doc({{"Key", key}});
  std::vector<std::string> keys = Column(ReadAll(SortedView()), "Key");
  EXPECT_EQ(keys, (std::vector<std::string>{"ab", "alpha", "Alpha", "beta", "Beta",
                                            "\x81"
                                            "ber"}));
}

TEST_F(CollectionTest, EmptyThenNumbersThenTimesThenTextTiesByNoteId) {
  NOTEID text = Doc({{"Key", "1"}});
  NOTEID empty = Doc({{"Other", "x"}});
  NOTEID big = Doc({{"Key", 10.0}});
  NOTEID small = Doc({{"Key", -2.5}});
  NOTEID same = Doc({{"Key", "1"}});
  TIMEDATE now{};
  OSCurrentTIMEDATE(&now);
  NOTEID time = Doc({{"Key", now}});
  EXPECT_EQ(Ids(ReadAll(SortedView())), (std::vector<NOTEID>{empty, small, big, time, text, same}));
}

TEST_F(CollectionTest, DescendingColumnReversesTheOrder) {
  for (double key : {2.0, 3.0, 1.0}) Doc({{"Key", key}});
  EXPECT_EQ(Column(ReadAll(SortedView("SD")), "Key"), (std::vector<std::string>{"3", "2", "1"}));
}

TEST_F(CollectionTest, ViewWithoutSortedColumnsIsInNoteIdOrderWithSelectionApplied) {
  NOTEID first = Doc({{"Form", "Memo"}, {"Subject", "z"}});
  Doc({{"Form", "Other"}, {"Subject", "a"}});
  NOTEID third = Doc({{"Form", "Memo"}, {"Subject", "b"}});
  NOTEID view = AddView(
      TViewSpec{"Memos", "SELECT Form = \"Memo\"", {{"Subject", "", ""}}, false, false, ""});
  std::vector<ReadEntry> entries = ReadAll(view);
  EXPECT_EQ(Ids(entries), (std::vector<NOTEID>{first, third}));
  EXPECT_EQ(Column(entries, "Subject"), (std::vector<std::string>{"z", "b"}));
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
  DWORD count = 0;
  DWORD skipped = 9;
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
  ASSERT_EQ(NIFReadEntries(collection, &position, NAVIGATE_NEXT, 1, NAVIGATE_NEXT, 5, 0x8001,
                           &buffer, nullptr, &skipped, &count, nullptr),
            NOERROR);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(position.Tumbler[0], 3u);
  OSMemFree(buffer);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(CollectionTest, CategoriesComeBeforeTheirDocumentsWithExactTables) {
  NOTEID b1 = Doc({{"Cat", "B"}, {"Subject", "b1"}});
  NOTEID a1 = Doc({{"Cat", "A"}, {"Subject", "a1"}});
  NOTEID a2 = Doc({{"Cat", "A"}, {"Subject", "a2"}});
  NOTEID view =
      AddView(TViewSpec{"ByCat", "", {{"Cat", "", "C"}, {"Subject", "", "S"}}, false, false, ""});
  std::vector<ReadEntry> entries = ReadAll(view);
  EXPECT_EQ(Ids(entries), (std::vector<NOTEID>{NOTEID_CATEGORY, a1, a2, NOTEID_CATEGORY, b1}));
  EXPECT_EQ(Column(entries, "Cat"), (std::vector<std::string>{"A", "A", "A", "B", "B"}));
  EXPECT_EQ(entries[0].SummaryItems, 1u);
  EXPECT_EQ(Column(entries, "Subject")[0], "-");
}

TEST_F(CollectionTest, NestedCategoriesCarryTheirLevel) {
  NOTEID doc = Doc({{"Year", "2024"}, {"Month", "May"}});
  NOTEID view =
      AddView(TViewSpec{"Nested", "", {{"Year", "", "C"}, {"Month", "", "C"}}, false, false, ""});
  EXPECT_EQ(Ids(ReadAll(view)),
            (std::vector<NOTEID>{NOTEID_CATEGORY, NOTEID_CATEGORY | (1u << 24), doc}));
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

TEST_F(CollectionTest, MultipleValuesMakeOneEntryEach) {
  NOTEID person = Doc({{"Names", std::vector<std::string>{"zed", "Ann", "bob"}}});
  NOTEID other = Doc({{"Names", "carl"}});
  NOTEID view = AddView(TViewSpec{"Keys", "", {{"Names", "", "SM"}}, false, false, ""});
  std::vector<ReadEntry> entries = ReadAll(view);
  EXPECT_EQ(Column(entries, "Names"), (std::vector<std::string>{"Ann", "bob", "carl", "zed"}));
  EXPECT_EQ(Ids(entries), (std::vector<NOTEID>{person, person, other, person}));
}

TEST_F(CollectionTest, TotalsRowSumsTheTotalColumn) {
  Doc({{"Amount", 2.5}});
  Doc({{"Amount", 4.0}});
  NOTEID view = AddView(TViewSpec{"Sum", "", {{"Amount", "", "T"}}, false, false, ""});
  std::vector<ReadEntry> entries = ReadAll(view);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[2].Id, NOTEID_CATEGORY_TOTAL);
  EXPECT_EQ(entries[2].Values["Amount"], "6.5");
}

TEST_F(CollectionTest, ResponsesFollowTheirParentsInAHierarchy) {
  NOTEID parent = Doc({{"Key", "b"}});
  NOTEID other = Doc({{"Key", "a"}});
  NOTEID reply = Doc({{"Key", "z"}}, parent);
  NOTEID nested = Doc({{"Key", "y"}}, reply);
  NOTEID threaded = AddView(TViewSpec{"Threads", "", {{"Key", "", "S"}}, false, true, ""});
  EXPECT_EQ(Ids(ReadAll(threaded)), (std::vector<NOTEID>{other, parent, reply, nested}));
  NOTEID flat = AddView(TViewSpec{"Flat", "", {{"Key", "", "S"}}, false, false, ""});
  EXPECT_EQ(Ids(ReadAll(flat)), (std::vector<NOTEID>{other, parent, nested, reply}));
}

TEST_F(CollectionTest, AllDescendantsBringsInResponsesOfSelectedDocuments) {
  NOTEID topic = Doc({{"Form", "Topic"}});
  NOTEID reply = Doc({{"Form", "Reply"}}, topic);
  NOTEID nested = Doc({{"Form", "Reply"}}, reply);
  Doc({{"Form", "Other"}});
  NOTEID view = AddView(
      TViewSpec{"Topics", "SELECT Form = \"Topic\" | @AllDescendants", {}, false, true, ""});
  EXPECT_EQ(Ids(ReadAll(view)), (std::vector<NOTEID>{topic, reply, nested}));
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
  EXPECT_EQ(NIFReadEntries(collection, &position, 1, 1, 1, 1, READ_MASK_COLLECTIONSTATS, nullptr,
                           nullptr, nullptr, nullptr, nullptr),
            ERR_UNSUPPORTED_FLAGS);
  EXPECT_EQ(NIFReadEntries(collection, &position, NAVIGATE_NEXT_UNREAD, 1, 1, 1, 1, nullptr,
                           nullptr, nullptr, nullptr, nullptr),
            ERR_UNSUPPORTED_FLAGS);
  ASSERT_EQ(NIFCloseCollection(collection), NOERROR);
  DWORD count = 0;
  EXPECT_EQ(NIFReadEntries(collection, &position, 1, 1, 1, 1, 0x8001, nullptr, nullptr, nullptr,
                           &count, nullptr),
            ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFUpdateCollection(collection), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFCloseCollection(collection), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NIFCloseCollection(static_cast<HCOLLECTION>(FDb)), ERR_NOTESRT_INVALID_HANDLE);
  NOTEID doc = Doc({{"Key", "k"}});
  collection = 7;
  EXPECT_EQ(NIFOpenCollection(FDb, FDb, doc, 0, NULLHANDLE, &collection, nullptr, nullptr, nullptr,
                              nullptr),
            ERR_NOTESRT_NOT_VIEW);
  EXPECT_EQ(collection, 0);
  EXPECT_EQ(NIFOpenCollection(FDb, FDb, 0x7FFFFFF0, 0, NULLHANDLE, &collection, nullptr, nullptr,
                              nullptr, nullptr),
            ERR_INVALID_NOTE);
}

}  // namespace
}  // namespace runtimetest
