// FTOpenSearch, FTSearch and FTCloseSearch as callers see them: the results block, scores,
// limits, refining ID tables, refused options and arguments, the break signal; what the index
// holds and how it stays current; the query language.
#include <gtest/gtest.h>

#include <random>

#include "ChildProcess.h"
#include "FullTextFixture.h"
#include "notesapi/fterr.h"
#include "notesapi/idtable.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "notesapi/ossignal.h"

namespace runtimetest {

namespace {

class FullTextApi : public FullTextTest {
 protected:
  void TearDown() override {
    OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
    FullTextTest::TearDown();
  }
};

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
  for (NOTEID id : {first, third, NOTEID{0x7FFC}}) IDInsert(table, id, nullptr);
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
  DHANDLE results = 99, search = NULLHANDLE;
  auto run = [](DBHANDLE Db, DHANDLE* Search, char* Query, DWORD* Count, DHANDLE* Results) {
    return FTSearch(Db, Search, NULLHANDLE, Query, 0, 0, NULLHANDLE, Count, nullptr, Results);
  };
  EXPECT_EQ(run(Db(), &search, query, &count, &results), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(results, NULLHANDLE);
  ASSERT_EQ(FTOpenSearch(&search), NOERROR);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_SEARCH), 1u);
  EXPECT_EQ(run(Db(), &search, query, &count, nullptr), NOERROR);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(run(Db(), &search, query, nullptr, &results), NOERROR);
  EXPECT_EQ(OSMemFree(results), NOERROR);
  EXPECT_EQ(run(Db(), &search, nullptr, &count, &results), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(run(Db(), nullptr, query, &count, &results), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(run(search, &search, query, &count, &results), ERR_NOTESRT_INVALID_HANDLE);
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

// What the full-text index holds and how it stays current: built on the first search, then
// changed with every save and deletion, kept in the file across closing and reopening.
class FullTextIndex : public FullTextTest {
 protected:
  NOTEID AddRaw(const std::string& Name, WORD Type, const std::string& Value, WORD Class = 1) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
    NSFNoteSetInfo(note.Get(), _NOTE_CLASS, &Class);
    AppendItem(note.Get(), Name, Type, Value, 0);
    EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    return IdOf(note.Get());
  }
};

TEST_F(FullTextIndex, TextListEntriesAndRichTextRunsAreSearchedAsTheirWords) {
  NOTEID list = AddRaw("SendTo", TYPE_TEXT_LIST, TextListValue({"Anna Berg", "Carl Dahl"}));
  EXPECT_EQ(Found("dahl"), Ids{list});
  EXPECT_EQ(Found("[SendTo] CONTAINS anna"), Ids{list});
  // Entries are separate lines, but still side by side as words.
  EXPECT_EQ(Found("\"anna berg\""), Ids{list});
  NOTEID body = AddRaw("Body", TYPE_COMPOSITE,
                       ParagraphRecord() + TextRun("The bud") + TextRun("get is") +
                           ParagraphRecord() + TextRun("approved"));
  EXPECT_EQ(Found("budget"), Ids{body});
  EXPECT_EQ(Found("[Body] CONTAINS approved"), Ids{body});
  EXPECT_EQ(Found("isapproved"), Ids{});
}

TEST_F(FullTextIndex, DamagedRichTextIndexesWhatCanBeReadAndNothingElse) {
  std::string value = ParagraphRecord() + TextRun("readable words");
  // A run that claims far more than is there.
  std::string overlong = value + Bytes({0x85, 0xFF, 0xFF, 0x7F}) + "hidden";
  NOTEID damaged = AddRaw("Body", TYPE_COMPOSITE, overlong);
  NOTEID tiny = AddRaw("Body", TYPE_COMPOSITE, std::string("\x85", 1));
  EXPECT_EQ(Found("readable"), Ids{damaged});
  EXPECT_EQ(Found("hidden"), Ids{});
  EXPECT_EQ(Found("NOT readable"), Ids{tiny});
}

// Only documents are indexed, and of them only text: numbers and other types are not.
TEST_F(FullTextIndex, OnlyTextOfDocumentsIsIndexed) {
  AddRaw("$TITLE", TYPE_TEXT, "Secret form", NOTE_CLASS_FORM);
  NOTEID document = AddDocument({{"Subject", "secret plan"}});
  EXPECT_EQ(Found("secret"), Ids{document});
  EXPECT_EQ(Found("NOT plan"), Ids{});
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
  NUMBER amount = 1234;
  ASSERT_EQ(NSFItemSetNumber(note.Get(), "Amount", &amount), NOERROR);
  AppendText(note.Get(), "Subject", "invoice");
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  EXPECT_EQ(Found("invoice"), Ids{IdOf(note.Get())});
  EXPECT_EQ(Found("Amount"), Ids{});
  EXPECT_EQ(Found("1234"), Ids{});
}

// Built at the first search over what was saved before, then changed by every save, removed
// item and deletion, and kept in the file across closing and reopening.
TEST_F(FullTextIndex, TheIndexFollowsEveryChangeAndStaysWithTheFile) {
  std::vector<NOTEID> ids;
  for (int index = 0; index < 300; ++index)
    ids.push_back(AddDocument({{"Subject", "batch " + std::to_string(index)}}));
  EXPECT_EQ(Found("batch"), ids);
  EXPECT_EQ(Found("\"batch 7\""), Ids{ids[7]});
  NOTEID first = AddDocument({{"Subject", "alpha"}, {"Body", "drop"}});
  NOTEID second = AddDocument({{"Subject", "alpha too"}});
  EXPECT_EQ(Found("alpha"), Sorted({first, second}));
  Rewrite(first, "Subject", "beta");
  EXPECT_EQ(Found("alpha"), Ids{second});
  EXPECT_EQ(Found("beta"), Ids{first});
  EXPECT_EQ(Found("drop"), Ids{first});
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(Db(), first, 0, note.Out()), NOERROR);
  ASSERT_EQ(NSFItemDelete(note.Get(), "Body", 4), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  EXPECT_EQ(Found("drop"), Ids{});
  Reopen();
  NOTEID after = AddDocument({{"Subject", "beta too"}});
  Reopen();
  EXPECT_EQ(Found("beta"), Sorted({first, after}));
  ASSERT_EQ(NSFNoteDelete(Db(), second, 0), NOERROR);
  EXPECT_EQ(Found("alpha"), Ids{});
  ASSERT_EQ(NSFNoteDelete(Db(), first, UPDATE_NOSTUB), NOERROR);
  EXPECT_EQ(Found("beta"), Ids{after});
  EXPECT_EQ(Found("NOT gamma").size(), ids.size() + 1);  // no stub
}

// Another process that saves into the database keeps its index current in the same
// transaction.
TEST_F(FullTextIndex, SavesOfOtherProcessesAreIndexedWithThem) {
  ASSERT_EQ(Found("NOT doc"), Ids{});
  vesktest::ChildProcess child({STORAGE_CHILD_PATH, FileOf("ft.nsf").string(), "0", "5"});
  ASSERT_EQ(child.Wait(), 0);
  EXPECT_EQ(Found("doc").size(), 5u);
  EXPECT_EQ(Found("\"doc 3\"").size(), 1u);
}

// The query language: stemming, diacritics, phrases, operators, wildcards, fields, and queries
// that are malformed or carry FTS5 syntax of their own.
using FullTextQuery = FullTextTest;

TEST_F(FullTextQuery, StemmingFindsOtherFormsAndDiacriticsAndCaseAreFolded) {
  NOTEID printing = AddDocument({{"Subject", "Printing the invoices"}});
  NOTEID printed = AddDocument({{"Body", "It was printed twice"}});
  AddDocument({{"Subject", "Sprint planning"}});
  EXPECT_EQ(Found("print"), Sorted({printing, printed}));
  EXPECT_EQ(Found("prints"), Sorted({printing, printed}));
  NOTEID cafe = AddDocument({{"Subject", "Meeting at the Café Müller"}});
  NOTEID plain = AddDocument({{"Subject", "cafe muller opening"}});
  EXPECT_EQ(Found("cafe"), Sorted({cafe, plain}));
  EXPECT_EQ(Found("CAFÉ MÜLLER"), Sorted({cafe, plain}));
  EXPECT_EQ(Found("\"café müller\""), Sorted({cafe, plain}));
}

TEST_F(FullTextQuery, PhrasesKeepTheirOrderInOneFieldWhileWordsMayBeAnywhere) {
  NOTEID inOrder = AddDocument({{"Body", "the quarterly report is late"}});
  AddDocument({{"Body", "report quarterly numbers"}});
  AddDocument({{"Subject", "quarterly"}, {"Body", "report"}});
  EXPECT_EQ(Found("\"quarterly report\""), Ids{inOrder});
  NOTEID both = AddDocument({{"Subject", "budget"}, {"Body", "review"}});
  AddDocument({{"Subject", "budget only"}});
  EXPECT_EQ(Found("budget review"), Ids{both});
  EXPECT_EQ(Found("budget AND review"), Ids{both});
  EXPECT_EQ(Found("budget & review"), Ids{both});
}

TEST_F(FullTextQuery, BooleanOperatorsAndGrouping) {
  NOTEID apple = AddDocument({{"Body", "apple pie"}});
  NOTEID pear = AddDocument({{"Body", "pear pie"}});
  NOTEID both = AddDocument({{"Body", "apple and pear"}});
  NOTEID none = AddDocument({{"Body", "plum"}});
  NOTEID empty = AddDocument({{"Form", ""}});
  EXPECT_EQ(Found("apple OR pear"), Sorted({apple, pear, both}));
  EXPECT_EQ(Found("apple | pear"), Sorted({apple, pear, both}));
  EXPECT_EQ(Found("apple NOT pear"), Ids{apple});
  EXPECT_EQ(Found("apple AND !pear"), Ids{apple});
  EXPECT_EQ(Found("(apple OR pear) AND pie"), Sorted({apple, pear}));
  EXPECT_EQ(Found("apple OR pear pie"), Sorted({apple, pear, both}));
  // NOT alone selects every document without the word, those without any text too.
  EXPECT_EQ(Found("NOT apple"), Sorted({pear, none, empty}));
  EXPECT_EQ(Found("plum OR NOT pie"), Sorted({both, none, empty}));
  EXPECT_EQ(Found("NOT (apple OR pear)"), Sorted({none, empty}));
  EXPECT_EQ(Found("NOT NOT plum"), Ids{none});
}

TEST_F(FullTextQuery, OperatorWordsIgnoreCaseQuotedOnesAreWordsAndWildcardsEndAWord) {
  NOTEID withAnd = AddDocument({{"Body", "rock and roll"}});
  NOTEID rock = AddDocument({{"Body", "rock music"}});
  EXPECT_EQ(Found("rock or roll"), Sorted({withAnd, rock}));
  EXPECT_EQ(Found("rock \"and\""), Ids{withAnd});
  EXPECT_EQ(Found("\"rock and roll\""), Ids{withAnd});
  NOTEID report = AddDocument({{"Subject", "Report"}});
  NOTEID reply = AddDocument({{"Subject", "Reply"}});
  AddDocument({{"Subject", "Prepare"}});
  EXPECT_EQ(Found("rep*"), Sorted({report, reply}));
  EXPECT_EQ(Found("repl?"), Ids{reply});
  EXPECT_EQ(Found("\"the\" OR rep**"), Sorted({report, reply}));
}

TEST_F(FullTextQuery, QueriesThatCannotBeRunAreRefusedWithTheirStatus) {
  NOTEID text = AddDocument({{"Subject", "a paragraph of text"}});
  const std::pair<STATUS, std::vector<const char*>> cases[] = {
      {ERR_NOTESRT_FT_WILDCARD, {"r*port", "*port", "?", "*", "re?ort"}},
      {ERR_NOTESRT_FT_OPERATOR,
       {"TERMWEIGHT 20 text", "text PARAGRAPH a", "text sentence a", "EXACTCASE Text",
        "[Subject] = text", "[Date] > 1", "a < b"}},
      {ERR_NOTESRT_FT_SYNTAX,
       {"(anything", "anything)", "anything AND", "OR anything", "()", "\"anything",
        "[Subject CONTAINS anything", "[] CONTAINS anything", "[Subject] anything",
        "FIELD CONTAINS anything", "]", "[Subject] CONTAINS", "FIELD Sub* CONTAINS anything",
        "!!!"}},
      {ERR_NOTESRT_FT_NO_WORDS, {"", "   ", "- , .", "\"\"", "NOT \"...\"", "(-) OR ."}},
  };
  for (const auto& [status, queries] : cases)
    for (const char* query : queries) {
      FtOutcome outcome = Search(query);
      EXPECT_EQ(outcome.Status, status) << query;
      EXPECT_FALSE(outcome.HadResults) << query;
    }
  // Operator words in quotes, and punctuation beside real words, are no reason to refuse.
  EXPECT_EQ(Found("\"paragraph\""), Ids{text});
  EXPECT_EQ(Found("text - ..."), Ids{text});
}

TEST_F(FullTextQuery, FieldQueriesSearchOneItemOnly) {
  NOTEID subject = AddDocument({{"Subject", "budget approved"}, {"Body", "see attachment"}});
  NOTEID body = AddDocument({{"Subject", "minutes"}, {"Body", "budget approved later"}});
  EXPECT_EQ(Found("[Subject] CONTAINS budget"), Ids{subject});
  EXPECT_EQ(Found("FIELD Body CONTAINS budget"), Ids{body});
  EXPECT_EQ(Found("[subject] contains BUDGET"), Ids{subject});
  EXPECT_EQ(Found("[Body] CONTAINS \"approved later\""), Ids{body});
  EXPECT_EQ(Found("[Subject] CONTAINS (minutes OR attachment)"), Ids{body});
  EXPECT_EQ(Found("[Subject] CONTAINS budget OR [Subject] CONTAINS minutes"),
            Sorted({subject, body}));
  EXPECT_EQ(Found("[Subject] CONTAINS budget attachment"), Ids{subject});
  EXPECT_EQ(Found("[Missing] CONTAINS budget"), Ids{});
}

TEST_F(FullTextQuery, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  AddDocument({{"Subject", "deep"}});
  std::string opens(50000, '(');
  EXPECT_EQ(Search(opens + "deep").Status, ERR_NOTESRT_FT_SYNTAX);
  std::string nots;
  for (int index = 0; index < 20000; ++index) nots += "NOT ";
  EXPECT_EQ(Search(nots + "deep").Status, ERR_NOTESRT_FT_SYNTAX);
  std::string fields;
  for (int index = 0; index < 20000; ++index) fields += "[a] CONTAINS ";
  EXPECT_EQ(Search(fields + "deep").Status, ERR_NOTESRT_FT_SYNTAX);
  EXPECT_EQ(Search("((((deep))))").Ids.size(), 1u);
}

// FTS5's own syntax in what the user typed is only ever text to search for.
TEST_F(FullTextQuery, QuotesAndFts5SyntaxInUserTextAreSearchedLiterally) {
  NOTEID name = AddDocument({{"Body", "Letter to O'Brien about col: report"}});
  NOTEID symbols = AddDocument({{"Body", "near the station, a^b and x+y"}});
  EXPECT_EQ(Found("O'Brien"), Ids{name});
  EXPECT_EQ(Found("col:report"), Ids{name});
  EXPECT_EQ(Found("body:letter"), Ids{});
  EXPECT_EQ(Found("{body}:letter"), Ids{});
  EXPECT_EQ(Found("NEAR"), Ids{symbols});
  EXPECT_EQ(Found("a^b"), Ids{symbols});
  EXPECT_EQ(Found("x+y"), Ids{symbols});
  EXPECT_EQ(Found("\"letter\"\"to\""), Ids{name});
  EXPECT_EQ(Found("rowid"), Ids{});
}

// Any mix of the query syntax's characters ends with a result or a full-text status.
TEST_F(FullTextQuery, RandomQueriesNeverFailOtherwise) {
  AddDocument({{"Subject", "alpha beta"}, {"Body", "gamma delta"}});
  const std::vector<std::string> pieces = {
      "alpha", "beta", " ", "(",   ")",  "\"",  "[",     "]",        "*",       "?",
      "&",     "|",    "!", "AND", "OR", "NOT", "FIELD", "CONTAINS", "Subject", "=",
      "é",     "\xC3", ":", "^",   "-",  "{",   "}",     "NEAR"};
  std::mt19937 random(20240131);
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1), length(0, 12);
  for (int round = 0; round < 1500; ++round) {
    std::string query;
    for (size_t count = length(random); count > 0; --count) query += pieces[piece(random)] + " ";
    STATUS status = Search(query).Status;
    bool known = status == NOERROR || status == ERR_FT_NOMATCHES ||
                 status == ERR_NOTESRT_FT_SYNTAX || status == ERR_NOTESRT_FT_NO_WORDS ||
                 status == ERR_NOTESRT_FT_OPERATOR || status == ERR_NOTESRT_FT_WILDCARD;
    ASSERT_TRUE(known) << query << " gave " << status;
  }
}

}  // namespace
}  // namespace runtimetest
