// FTOpenSearch, FTSearch and FTCloseSearch as callers see them: the results block, scores,
// limits, refining ID tables, refused options and arguments, the break signal.
#include <gtest/gtest.h>

#include "FullTextFixture.h"
#include "notesapi/fterr.h"
#include "notesapi/idtable.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"
#include "notesapi/ossignal.h"

namespace runtimetest {

namespace {

using Ids = std::vector<NOTEID>;

class FullTextApi : public FullTextTest {
 protected:
  void TearDown() override {
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
    FullTextTest::TearDown();
  }
};

}  // namespace

// As published: ERR_FT_NOMATCHES, a count of 0 and no results handle.
TEST_F(FullTextApi, NoHitsIsNoMatchesWithoutResults) {
  FtOutcome empty = Search("anything");
  AddDocument({{"Subject", "something"}});
  for (const FtOutcome& outcome : {empty, Search("nothing"), Search("NOT something")}) {
    EXPECT_EQ(outcome.Status, ERR_FT_NOMATCHES);
    EXPECT_EQ(outcome.Count, 0u);
    EXPECT_FALSE(outcome.HadResults);
  }
}

// The index is kept on every update; FTIndex makes it when missing, or again, and counts the
// documents it holds.
TEST_F(FullTextApi, FTIndexBringsTheIndexUpToDate) {
  FT_INDEX_STATS stats{9, 9, 9, 9};
  EXPECT_EQ(FTIndex(Db(), 0, nullptr, &stats), NOERROR);
  EXPECT_EQ(stats.DocsAdded, 0u);
  EXPECT_EQ(stats.DocsUpdated + stats.DocsDeleted + stats.BytesIndexed, 0u);
  for (const char* subject : {"one", "two", "three"}) AddDocument({{"Subject", subject}});
  for (WORD options : {WORD{0}, WORD{FT_INDEX_REINDEX}, WORD{FT_INDEX_STEM_INDEX}}) {
    SCOPED_TRACE(options);
    EXPECT_EQ(FTIndex(Db(), options, nullptr, &stats), NOERROR);
    EXPECT_EQ(stats.DocsAdded, 3u);
    EXPECT_EQ(Search("two").Count, 1u);
  }
  EXPECT_EQ(FTIndex(Db(), 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(FTIndex(Db(), FT_INDEX_CASE_SENS, nullptr, &stats), ERR_NOTESRT_FT_OPTIONS);
  EXPECT_EQ(FTIndex(NULLHANDLE, 0, nullptr, &stats), ERR_NOTESRT_INVALID_HANDLE);
}

// Best first, scored up to 100; more terms of an OR rank higher; a limit keeps the best hits;
// without the scores option no scores follow the IDs.
TEST_F(FullTextApi, ResultsComeBestFirstWithScoresUpTo100) {
  NOTEID once = AddDocument({{"Body", "apple among many other words in a longer text here"}});
  NOTEID often = AddDocument({{"Body", "apple apple apple"}});
  NOTEID both = AddDocument({{"Body", "pear apple"}});
  FtOutcome outcome = Search("apple");
  ASSERT_EQ(outcome.Status, NOERROR);
  ASSERT_EQ(outcome.Ids.front(), often);
  ASSERT_EQ(outcome.Scores.size(), 3u);
  EXPECT_EQ(outcome.Scores[0], 100);
  EXPECT_GE(outcome.Scores[2], 1);
  EXPECT_LT(outcome.Scores[1], 100);
  EXPECT_EQ(outcome.BlockSize, sizeof(FT_SEARCH_RESULTS) + 3 * sizeof(NOTEID) + 3);
  outcome = Search("pear OR apple");
  ASSERT_EQ(outcome.Ids.front(), both);
  EXPECT_GT(outcome.Scores[0], outcome.Scores[1]);
  FtOutcome limited = Search("apple", FT_SEARCH_SCORES, 1);
  EXPECT_EQ(limited.Ids, Ids{often});
  EXPECT_EQ(Search("apple", FT_SEARCH_SCORES | FT_SEARCH_TOP_SCORES, 0).Count, 3u);
  EXPECT_EQ(Search("apple", FT_SEARCH_SCORES, 100).Count, 3u);
  FtOutcome plain = Search("often OR longer", FT_SEARCH_STEM_WORDS);
  EXPECT_EQ(plain.Ids, Ids{once});
  EXPECT_EQ(plain.Flags, 0);
  EXPECT_EQ(plain.BlockSize, sizeof(FT_SEARCH_RESULTS) + sizeof(NOTEID));
}

TEST_F(FullTextApi, AnIdTableRefinesTheSearch) {
  NOTEID first = AddDocument({{"Subject", "common"}});
  NOTEID second = AddDocument({{"Subject", "common"}});
  NOTEID third = AddDocument({{"Subject", "common"}});
  DHANDLE table = NULLHANDLE;
  ASSERT_EQ(IDCreateTable(sizeof(NOTEID), &table), NOERROR);
  IDInsert(table, first, nullptr);
  IDInsert(table, third, nullptr);
  IDInsert(table, 0x7FFC, nullptr);
  FtOutcome refined = Search("common", FT_SEARCH_SCORES | FT_SEARCH_REFINE, 0, table);
  EXPECT_EQ(Sorted(refined.Ids), Sorted({first, third}));
  EXPECT_EQ(Search("NOT common", FT_SEARCH_SCORES, 0, table).Count, 0u);
  ASSERT_EQ(IDDestroyTable(table), NOERROR);
  EXPECT_EQ(Search("common", FT_SEARCH_SCORES, 0, table).Status, ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(Found("common"), Sorted({first, second, third}));
}

// Set collection, count only and ID table results would change the form of the results;
// date order, thesaurus and fuzzy search are not offered. None is silently ignored.
TEST_F(FullTextApi, OptionsThatCannotBeHonouredAreRefused) {
  AddDocument({{"Subject", "option"}});
  for (DWORD option :
       {FT_SEARCH_SET_COLL, FT_SEARCH_NUMDOCS_ONLY, FT_SEARCH_RET_IDTABLE, FT_SEARCH_SORT_DATE,
        FT_SEARCH_SORT_ASCEND, FT_SEARCH_THESAURUS_WORDS, FT_SEARCH_FUZZY, 0x00010000u}) {
    FtOutcome outcome = Search("option", FT_SEARCH_SCORES | option);
    EXPECT_EQ(outcome.Status, ERR_NOTESRT_FT_OPTIONS) << option;
    EXPECT_FALSE(outcome.HadResults) << option;
  }
  DHANDLE search = NULLHANDLE, results = NULLHANDLE;
  ASSERT_EQ(FTOpenSearch(&search), NOERROR);
  char query[] = "option";  // within a collection
  EXPECT_EQ(FTSearch(Db(), &search, 1, query, FT_SEARCH_SCORES, 0, NULLHANDLE, nullptr, nullptr,
                     &results),
            ERR_NOTESRT_FT_COLLECTION);
  EXPECT_EQ(results, NULLHANDLE);
  EXPECT_EQ(FTCloseSearch(search), NOERROR);
}

// Count and results may each be left out.
TEST_F(FullTextApi, BadArgumentsAndHandlesAreErrors) {
  AddDocument({{"Subject", "word"}});
  char query[] = "word";
  DWORD count = 99;
  DHANDLE results = 99;
  DHANDLE search = NULLHANDLE;
  EXPECT_EQ(FTSearch(Db(), &search, NULLHANDLE, query, 0, 0, NULLHANDLE, &count, nullptr, &results),
            ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(results, NULLHANDLE);
  ASSERT_EQ(FTOpenSearch(&search), NOERROR);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_SEARCH), 1u);
  EXPECT_EQ(FTSearch(Db(), &search, NULLHANDLE, query, 0, 0, NULLHANDLE, &count, nullptr, nullptr),
            NOERROR);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(
      FTSearch(Db(), &search, NULLHANDLE, query, 0, 0, NULLHANDLE, nullptr, nullptr, &results),
      NOERROR);
  EXPECT_EQ(OSMemFree(results), NOERROR);
  EXPECT_EQ(
      FTSearch(Db(), &search, NULLHANDLE, nullptr, 0, 0, NULLHANDLE, &count, nullptr, &results),
      ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(FTSearch(Db(), nullptr, NULLHANDLE, query, 0, 0, NULLHANDLE, &count, nullptr, &results),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(
      FTSearch(search, &search, NULLHANDLE, query, 0, 0, NULLHANDLE, &count, nullptr, &results),
      ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(FTCloseSearch(search), NOERROR);
  EXPECT_EQ(FTCloseSearch(search), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(FTOpenSearch(nullptr), ERR_MISC_INVALID_ARGS);
}

// Both while the first search builds the index (which is then not kept) and while a later one
// reads it.
TEST_F(FullTextApi, TheBreakSignalStopsASearch) {
  for (int index = 0; index < 5; ++index) AddDocument({{"Subject", "interrupted"}});
  for (int round = 0; round < 2; ++round) {
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, BreakPressed());
    FtOutcome stopped = Search("interrupted");
    EXPECT_EQ(stopped.Status, ERR_CANCEL);
    EXPECT_FALSE(stopped.HadResults);
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
    EXPECT_EQ(Search("interrupted").Count, 5u);
  }
}

}  // namespace runtimetest
