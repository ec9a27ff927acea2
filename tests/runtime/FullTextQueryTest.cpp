// The query language of FTSearch: stemming, diacritics, phrases, operators, wildcards, fields,
// and queries that are malformed or carry FTS5 syntax of their own.
#include <gtest/gtest.h>

#include <random>

#include "FullTextFixture.h"
#include "notesapi/fterr.h"

namespace runtimetest {

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

}  // namespace runtimetest
