// TNotesDatabase::FTSearch on real databases: hits best first, no hits as an empty collection,
// result-form options refused before Notes is called, failures raised with their text.
#include <gtest/gtest.h>

#include <vector>

#include "DesignFixture.h"
#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesErrorOf.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/ft.h"

namespace {

class FullTextTest : public DesignFixture {
 protected:
  std::vector<NOTEID> Found(const std::string& Query, uint32_t OptionsA = 0,
                            uint32_t OptionsB = 0) {
    auto collection = FDatabase->FTSearch(Query, 0, OptionsA, OptionsB);
    EXPECT_EQ(&collection->Database(), FDatabase.get());
    return IDs(*collection);
  }

  std::string Refusal(const std::string& Query, uint32_t OptionsA, uint32_t OptionsB) {
    return NotesErrorOf([&] { FDatabase->FTSearch(Query, 0, OptionsA, OptionsB); });
  }
};

}  // namespace

TEST_F(FullTextTest, HitsComeBestFirstAndOpenAsDocumentsAndNoHitsIsAnEmptyCollection) {
  NOTEID once = CreateDocument(
      {{"Subject", "Weekly notes"}, {"Body", "the report is attached with other papers"}});
  NOTEID often = CreateDocument({{"Subject", "Report"}, {"Body", "report report"}});
  NOTEID lunch = CreateDocument({{"Subject", "Lunch at Müller's"}, {"Body", "nothing to see"}});
  EXPECT_EQ(Found("report"), (std::vector<NOTEID>{often, once}));
  EXPECT_EQ(Found("müller"), std::vector<NOTEID>{lunch}) << "the query crosses in LMBCS";
  EXPECT_TRUE(Found("absent").empty());
  auto collection = FDatabase->FTSearch("lunch", 0, 0, 0);
  ASSERT_EQ(collection->Count(), 1);
  EXPECT_EQ(collection->GetDocument(0)->GetItemByName("Subject")->GetAsString(),
            "Lunch at Müller's");
}

// The ruling on F-16: options that would make the results misread are refused before Notes is
// asked; what Notes refuses is raised with its text.
TEST_F(FullTextTest, OptionsThatChangeTheResultFormAreRefusedFirstAndNotesFailuresRaised) {
  SavedDocument("Anything");
  for (uint32_t option : {FT_SEARCH_SET_COLL, FT_SEARCH_NUMDOCS_ONLY, FT_SEARCH_RET_IDTABLE})
    for (const std::string& refusal :
         {Refusal("anything", option, 0), Refusal("anything", 0, option | FT_SEARCH_SCORES)}) {
      EXPECT_EQ(refusal.rfind("-1 ", 0), 0u) << refusal;
      EXPECT_NE(refusal.find("form of the results"), std::string::npos) << refusal;
    }
  EXPECT_EQ(Found("anything", FT_SEARCH_TOP_SCORES, FT_SEARCH_REFINE).size(), 1u);
  const std::string syntax = Refusal("(anything", 0, 0);
  EXPECT_EQ(syntax.rfind(std::to_string(ERR_NOTESRT_FT_SYNTAX) + " ", 0), 0u) << syntax;
  EXPECT_NE(syntax.find("Query is not understandable"), std::string::npos) << syntax;
  const std::string fuzzy = Refusal("anything", FT_SEARCH_FUZZY, 0);
  EXPECT_EQ(fuzzy.rfind(std::to_string(ERR_NOTESRT_FT_OPTIONS) + " ", 0), 0u) << fuzzy;
  FDatabase->Close();
  EXPECT_THROW(FDatabase->FTSearch("anything", 0, 0, 0), ELotusNotes);
}
