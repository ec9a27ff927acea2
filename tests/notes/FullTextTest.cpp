// TNotesDatabase::FTSearch on real databases: hits best first, no hits as an empty collection,
// result-form options refused before Notes is called, failures raised with their text.
#include <gtest/gtest.h>

#include <vector>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "StorageFixture.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/ft.h"

namespace {

class FullTextTest : public StorageFixture {
 protected:
  NOTEID SavedDocument(const std::string& Subject, const std::string& Body) {
    auto document = FDatabase->CreateDocument();
    document->GetItemByName("Subject")->SetAsString(Subject);
    document->GetItemByName("Body")->SetAsString(Body);
    document->Save();
    return document->NoteID();
  }

  std::vector<NOTEID> Found(const std::string& Query, uint32_t OptionsA = 0,
                            uint32_t OptionsB = 0) {
    auto collection = FDatabase->FTSearch(Query, 0, OptionsA, OptionsB);
    EXPECT_EQ(&collection->Database(), FDatabase.get());
    std::vector<NOTEID> ids;
    for (int index = 0; index < collection->Count(); ++index)
      ids.push_back(static_cast<NOTEID>(collection->GetDocumentId(index)));
    return ids;
  }

  int32_t FailureStatus(const std::string& Query, uint32_t OptionsA, uint32_t OptionsB) {
    try {
      FDatabase->FTSearch(Query, 0, OptionsA, OptionsB);
    } catch (const ELotusNotes& e) {
      FMessage = e.Message();
      return e.Status;
    }
    return 0;
  }

  std::string FMessage;
};

}  // namespace

TEST_F(FullTextTest, HitsComeBestFirstAndOpenAsDocumentsAndNoHitsIsAnEmptyCollection) {
  NOTEID once = SavedDocument("Weekly notes", "the report is attached with other papers");
  NOTEID often = SavedDocument("Report", "report report");
  NOTEID lunch = SavedDocument("Lunch at Müller's", "nothing to see");
  EXPECT_EQ(Found("report"), (std::vector<NOTEID>{often, once}));
  EXPECT_EQ(Found("müller"), std::vector<NOTEID>{lunch}) << "the query crosses in LMBCS";
  EXPECT_TRUE(Found("absent").empty());
  auto collection = FDatabase->FTSearch("lunch", 0, 0, 0);
  ASSERT_EQ(collection->Count(), 1);
  EXPECT_EQ(collection->GetDocument(0)->GetItemByName("Subject")->GetAsString(),
            "Lunch at Müller's");
}

// The ruling on F-16: these bits would make the results misread, so Notes is not even asked.
TEST_F(FullTextTest, OptionsThatChangeTheResultFormAreRefusedFirst) {
  SavedDocument("Anything", "");
  for (uint32_t option : {FT_SEARCH_SET_COLL, FT_SEARCH_NUMDOCS_ONLY, FT_SEARCH_RET_IDTABLE}) {
    EXPECT_EQ(FailureStatus("anything", option, 0), -1) << option;
    EXPECT_EQ(FailureStatus("anything", 0, option | FT_SEARCH_SCORES), -1) << option;
    EXPECT_NE(FMessage.find("form of the results"), std::string::npos);
  }
  EXPECT_EQ(Found("anything", FT_SEARCH_TOP_SCORES, FT_SEARCH_REFINE).size(), 1u);
}

TEST_F(FullTextTest, NotesFailuresAreRaisedWithTheirText) {
  SavedDocument("Anything", "");
  EXPECT_EQ(FailureStatus("(anything", 0, 0), ERR_NOTESRT_FT_SYNTAX);
  EXPECT_NE(FMessage.find("Query is not understandable"), std::string::npos) << FMessage;
  EXPECT_EQ(FailureStatus("anything", FT_SEARCH_FUZZY, 0), ERR_NOTESRT_FT_OPTIONS);
  FDatabase->Close();
  EXPECT_THROW(FDatabase->FTSearch("anything", 0, 0, 0), ELotusNotes);
}
