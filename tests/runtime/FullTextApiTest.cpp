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

STATUS BreakPressed() {
  return ERR_CANCEL;
}

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

TEST_F(FullTextApi, ResultsComeBestFirstWithScoresUpTo100) {
  NOTEID once = AddDocument({{"Body", "apple among many other words in a longer text here"}});
  NOTEID often = AddDocument({{"Body", "apple apple apple"}});
  AddDocument({{"Body", "pear"}});
  FtOutcome outcome = Search("apple");
  ASSERT_EQ(outcome.Status, NOERROR);
  ASSERT_EQ(outcome.Ids, (Ids{often, once}));
  ASSERT_EQ(outcome.Scores.size(), 2u);
  EXPECT_EQ(outcome.Scores[0], 100);
  EXPECT_GE(outcome.Scores[1], 1);
  EXPECT_LT(outcome.Scores[1], 100);
  EXPECT_EQ(outcome.BlockSize, sizeof(FT_SEARCH_RESULTS) + 2 * sizeof(NOTEID) + 2);
}

TEST_F(FullTextApi, DocumentsMatchingMoreTermsOfAnOrRankHigher) {
  NOTEID one = AddDocument({{"Body", "red"}});
  NOTEID both = AddDocument({{"Body", "red green"}});
  FtOutcome outcome = Search("red OR green");
  ASSERT_EQ(outcome.Ids, (Ids{both, one}));
  EXPECT_GT(outcome.Scores[0], outcome.Scores[1]);
}

TEST_F(FullTextApi, WithoutTheScoresOptionNoScoresFollow) {
  NOTEID id = AddDocument({{"Subject", "plain"}});
  FtOutcome outcome = Search("plain", FT_SEARCH_STEM_WORDS);
  ASSERT_EQ(outcome.Status, NOERROR);
  EXPECT_EQ(outcome.Ids, Ids{id});
  EXPECT_EQ(outcome.Flags, 0);
  EXPECT_EQ(outcome.BlockSize, sizeof(FT_SEARCH_RESULTS) + sizeof(NOTEID));
}

TEST_F(FullTextApi, LimitKeepsTheBestHits) {
  std::vector<NOTEID> ids;
  for (int count = 1; count <= 6; ++count)
    ids.push_back(AddDocument({{"Body", "word " + std::string(count, 'x') + " word"}}));
  NOTEID best = AddDocument({{"Body", "word word word word"}});
  FtOutcome limited = Search("word", FT_SEARCH_SCORES, 2);
  ASSERT_EQ(limited.Count, 2u);
  EXPECT_EQ(limited.Ids.front(), best);
  EXPECT_EQ(limited.Scores.front(), 100);
  EXPECT_EQ(Search("word", FT_SEARCH_SCORES | FT_SEARCH_TOP_SCORES, 0).Count, 7u);
  EXPECT_EQ(Search("word", FT_SEARCH_SCORES, 100).Count, 7u);
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
}

TEST_F(FullTextApi, ACollectionIsRefused) {
  DHANDLE search = NULLHANDLE;
  ASSERT_EQ(FTOpenSearch(&search), NOERROR);
  char query[] = "word";
  DHANDLE results = NULLHANDLE;
  EXPECT_EQ(FTSearch(Db(), &search, 1, query, FT_SEARCH_SCORES, 0, NULLHANDLE, nullptr, nullptr,
                     &results),
            ERR_NOTESRT_FT_COLLECTION);
  EXPECT_EQ(results, NULLHANDLE);
  EXPECT_EQ(FTCloseSearch(search), NOERROR);
}

TEST_F(FullTextApi, BadArgumentsAndHandlesAreErrors) {
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

TEST_F(FullTextApi, CountAndResultsMayEachBeLeftOut) {
  AddDocument({{"Subject", "word"}});
  DHANDLE search = NULLHANDLE;
  ASSERT_EQ(FTOpenSearch(&search), NOERROR);
  char query[] = "word";
  DWORD count = 0;
  EXPECT_EQ(FTSearch(Db(), &search, NULLHANDLE, query, 0, 0, NULLHANDLE, &count, nullptr, nullptr),
            NOERROR);
  EXPECT_EQ(count, 1u);
  DHANDLE results = NULLHANDLE;
  EXPECT_EQ(
      FTSearch(Db(), &search, NULLHANDLE, query, 0, 0, NULLHANDLE, nullptr, nullptr, &results),
      NOERROR);
  EXPECT_NE(results, NULLHANDLE);
  EXPECT_EQ(OSMemFree(results), NOERROR);
  EXPECT_EQ(FTCloseSearch(search), NOERROR);
}

// Both while the first search builds the index (which is then not kept) and while a later one
// reads it.
TEST_F(FullTextApi, TheBreakSignalStopsASearch) {
  for (int index = 0; index < 5; ++index) AddDocument({{"Subject", "interrupted"}});
  for (int round = 0; round < 2; ++round) {
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, reinterpret_cast<OSSIGPROC>(BreakPressed));
    FtOutcome stopped = Search("interrupted");
    EXPECT_EQ(stopped.Status, ERR_CANCEL);
    EXPECT_FALSE(stopped.HadResults);
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
    EXPECT_EQ(Search("interrupted").Count, 5u);
  }
}

}  // namespace runtimetest
