#include <string>
#include <vector>

#include "DateUtils.h"
#include "DesignFixture.h"
#include "ELotusNotes.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/nsfsearc.h"

namespace {

using FindersTest = DesignFixture;
using TIDs = std::vector<NOTEID>;

TEST_F(FindersTest, AnEmptyFormulaFindsEveryNoteOfTheClassesWithoutSummaries) {
  const NOTEID a = CreateDocument({{"Subject", "a"}});
  const NOTEID b = CreateDocument({{"Subject", "b"}});
  const NOTEID form = CreateForm("Memo", {});
  const NOTEID view = CreateView("All", "SELECT @All", {"Subject||S"});
  Reopen();
  auto found = FDatabase->FindNotes("", 0, NOTE_CLASS_DOCUMENT, false);
  EXPECT_EQ(SortedIDs(*found), (TIDs{a, b}));
  EXPECT_EQ(found->GetSummaryValues(0), "");
  EXPECT_EQ(&found->Database(), FDatabase.get());
  // Note classes select design notes.
  EXPECT_EQ(IDs(*FDatabase->FindNotes("", 0, NOTE_CLASS_FORM, false)), (TIDs{form}));
  EXPECT_EQ(IDs(*FDatabase->FindNotes("@All", 0, NOTE_CLASS_VIEW, false)), (TIDs{view}));
}

TEST_F(FindersTest, FormulaSelectsAndSummariesCarryTheSummaryItems) {
  CreateDocument({{"Subject", "alpha"}, {"Form", "Memo"}});
  const NOTEID report = CreateDocument({{"Subject", "weekly report"}, {"Form", "Memo"}});
  CreateDocument({{"Subject", "report draft"}, {"Form", "Reply"}});
  auto found = FDatabase->FindNotes(R"(Form = "Memo" & @Contains(Subject; "report"))", 0,
                                    NOTE_CLASS_DOCUMENT, true);
  ASSERT_EQ(IDs(*found), (TIDs{report}));
  EXPECT_NE(found->GetSummaryValues(0).find("\r\nSubject=weekly report"), std::string::npos);
  auto document = found->GetDocument(0);
  EXPECT_GE(document->Summary().IndexOf("Subject=weekly report"), 1);
  // Text outside ASCII crosses in LMBCS.
  const NOTEID size = CreateDocument({{"Subject", "Größe – ½"}});
  found = FDatabase->Search(R"(Subject = "Größe – ½")", 0);
  ASSERT_EQ(IDs(*found), (TIDs{size}));
  EXPECT_NE(found->GetSummaryValues(0).find("\r\nSubject=Größe – ½"), std::string::npos);
  // FindDocument gives the first match or nothing.
  document = FDatabase->FindDocument(R"(Subject = "weekly report")");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->NoteID(), report);
  EXPECT_GE(document->Summary().IndexOf("Subject=weekly report"), 1);
  EXPECT_EQ(FDatabase->FindDocument(R"(Subject = "z")"), nullptr);
}

// Since leaves out notes not modified after it; deleted documents are not found.
TEST_F(FindersTest, SinceAndDeletionLeaveNotesOut) {
  const NOTEID a = CreateDocument({{"Subject", "a"}});
  const NOTEID b = CreateDocument({{"Subject", "b"}});
  EXPECT_EQ(SortedIDs(*FDatabase->Search("", EncodeDate(2000, 1, 1))), (TIDs{a, b}));
  EXPECT_EQ(FDatabase->Search("", EncodeDate(2200, 1, 1))->Count(), 0);
  FDatabase->Delete(a);
  EXPECT_EQ(IDs(*FDatabase->Search("", EncodeDate(2000, 1, 1))), (TIDs{b}));
  EXPECT_EQ(IDs(*FDatabase->Search("", 0)), (TIDs{b}));
  FDatabase->Close();
  EXPECT_THROW(FDatabase->FindNotes("", 0, NOTE_CLASS_DOCUMENT, false), ELotusNotes);
}

}  // namespace
