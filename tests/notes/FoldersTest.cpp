#include <string>
#include <vector>

#include "DesignFixture.h"
#include "ELotusNotes.h"
#include "TNotesFolder.h"
#include "TNotesView.h"

namespace {

using TIDs = std::vector<NOTEID>;

class FoldersTest : public DesignFixture {
 protected:
  void SetUp() override {
    DesignFixture::SetUp();
    FA = CreateDocument({{"Subject", "a"}});
    FB = CreateDocument({{"Subject", "b"}});
    FC = CreateDocument({{"Subject", "c"}});
  }

  // The folder's documents as Notes holds them now.
  TIDs Members(const std::string& Name) { return SortedIDs(TNotesFolder(*FDatabase, Name)); }

  NOTEID FA = 0, FB = 0, FC = 0;
};

TEST_F(FoldersTest, CreatedFoldersAreEmptyAndListed) {
  TNotesFolder shared(*FDatabase, "Projects", true, nullptr);
  EXPECT_EQ(shared.Flags(), "F");
  EXPECT_TRUE(shared.GetIsShared());
  EXPECT_EQ(shared.Count(), 0);
  EXPECT_NE(shared.ViewNoteID(), 0u);
  TNotesFolder mine(*FDatabase, "Mine", false, nullptr);
  EXPECT_EQ(mine.Flags(), "FV");
  EXPECT_FALSE(mine.GetIsShared());
  Reopen();
  EXPECT_EQ(FDatabase->GetViews("projects")->ViewNoteID(), shared.ViewNoteID());
  TNotesView* reread = FDatabase->GetViews("Mine");
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(reread->Flags(), "FV");
  EXPECT_EQ(Members("Projects"), TIDs{});
  EXPECT_THROW(TNotesFolder(*FDatabase, "projects", true, nullptr), ELotusNotes);
}

TEST_F(FoldersTest, DocumentsGoInAndOutStayInTheDatabaseAndCopiesHoldThem) {
  TNotesFolder folder(*FDatabase, "Projects", true, nullptr);
  TNotesDocument a(*FDatabase, FA), b(*FDatabase, FB), c(*FDatabase, FC);
  folder.AddDocuments({&a, &b});
  folder.AddDocument(a);
  EXPECT_EQ(Members("Projects"), (TIDs{FA, FB}));
  folder.DeleteDocument(a);
  folder.DeleteDocument(c);
  EXPECT_EQ(Members("Projects"), (TIDs{FB}));
  folder.AddDocuments({&a, &c});
  folder.RemoveDocuments();
  EXPECT_EQ(Members("Projects"), TIDs{});
  EXPECT_EQ(FDatabase->Search("", 0)->Count(), 3);
  // A copy holds the same documents under the new name.
  folder.AddDocuments({&a, &b});
  auto copy = folder.Copy("Archive");
  EXPECT_EQ(copy->Name(), "Archive");
  EXPECT_NE(copy->ViewNoteID(), folder.ViewNoteID());
  EXPECT_EQ(SortedIDs(*copy), (TIDs{FA, FB}));
  copy->RemoveDocuments();
  EXPECT_EQ(Members("Projects"), (TIDs{FA, FB}));
}

TEST_F(FoldersTest, AnUnsavedDocumentOrADesignNoteFailsTheCallAndAFormatGivesColumns) {
  TNotesFolder folder(*FDatabase, "Projects", true, nullptr);
  TNotesDocument a(*FDatabase, FA);
  auto unsaved = FDatabase->CreateDocument();
  EXPECT_THROW(folder.AddDocuments({&a, unsaved.get()}), ELotusNotes);
  TNotesDocument form(*FDatabase, CreateForm("Memo", {}));
  EXPECT_THROW(folder.AddDocuments({&a, &form}), ELotusNotes);
  EXPECT_EQ(Members("Projects"), TIDs{});
  // A format folder gives its columns.
  CreateView("Format", "", {"Subject||S"}, "F");
  TNotesView* format = FDatabase->GetViews("Format");
  ASSERT_NE(format, nullptr);
  TNotesFolder formatted(*FDatabase, "Formatted", true, format);
  TNotesDocument b(*FDatabase, FB);
  formatted.AddDocument(b);
  EXPECT_EQ(TNotesFolder(*FDatabase, "Formatted").GetSummaryValues(0), "\r\nSubject=b");
}

// Renamed, copied, moved and deleted through a folder the database handed out, which keeps
// working while its own operations refresh the list of views that owns it; a subfolder goes with
// its parent, its documents stay in the database.
TEST_F(FoldersTest, FoldersFromGetViewsAreRenamedCopiedMovedAndDeleted) {
  TNotesFolder(*FDatabase, "Target", true, nullptr);
  TNotesFolder(*FDatabase, "Work", true, nullptr);
  auto* work = dynamic_cast<TNotesFolder*>(FDatabase->GetViews("Work"));
  auto* target = dynamic_cast<TNotesFolder*>(FDatabase->GetViews("Target"));
  ASSERT_NE(work, nullptr);
  ASSERT_NE(target, nullptr);
  work->AddDocument(TNotesDocument(*FDatabase, FA));
  work->SetName("Job");
  EXPECT_EQ(work->Name(), "Job");
  EXPECT_EQ(FDatabase->GetViews("Work"), nullptr);
  EXPECT_EQ(Members("Job"), (TIDs{FA}));
  auto copy = work->Copy("Job copy");
  EXPECT_EQ(&copy->Database(), FDatabase.get());
  work->Move(*target);
  EXPECT_EQ(FDatabase->GetViews("Target\\Job")->ViewNoteID(), work->ViewNoteID());
  target->Delete();
  EXPECT_EQ(FDatabase->GetViews("Target"), nullptr);
  EXPECT_EQ(FDatabase->GetViews("Target\\Job"), nullptr);
  EXPECT_EQ(FDatabase->Search("", 0)->Count(), 3);
  EXPECT_EQ(work->Name(), "Job");
  EXPECT_EQ(target->Name(), "Target");
  EXPECT_NE(FDatabase->GetViews("Job copy"), nullptr);
  // The same name makes no Notes call, so the deleted folder does not complain.
  work->SetName("Job");
  EXPECT_THROW(work->SetName("Other"), ELotusNotes);
}

}  // namespace
