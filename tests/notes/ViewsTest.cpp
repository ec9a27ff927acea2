#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Classes.h"
#include "DesignFixture.h"
#include "ELotusNotes.h"
#include "ErrorOf.h"
#include "TNotesFolder.h"
#include "TNotesView.h"

namespace {

using TIDs = std::vector<NOTEID>;

class ViewsTest : public DesignFixture {
 protected:
  // Memos by subject, with the form as a second column.
  NOTEID CreateMemosView() {
    return CreateView("Memos|($Memos)", R"(SELECT Form = "Memo")", {"Subject||S", "Form||"});
  }
  NOTEID Memo(const std::string& Subject) {
    return CreateDocument({{"Subject", Subject}, {"Form", "Memo"}});
  }
};

TEST_F(ViewsTest, AViewListsWhatItSelectsInViewOrderWithItsColumns) {
  const NOTEID cherry = Memo("cherry");
  const NOTEID apple = Memo("Apple");
  CreateDocument({{"Subject", "banana"}, {"Form", "Reply"}});
  const NOTEID banana = Memo("banana");
  const NOTEID design = CreateMemosView();
  Reopen();
  TNotesView view(*FDatabase, "($Memos)");
  EXPECT_EQ(IDs(view), (TIDs{apple, banana, cherry}));
  EXPECT_EQ(view.GetSummaryValues(0), "\r\nSubject=Apple\r\nForm=Memo");
  EXPECT_EQ(view.Name(), "($Memos)");
  EXPECT_EQ(view.ViewNoteID(), design);
  EXPECT_FALSE(view.GetIsFolder());
  EXPECT_TRUE(view.GetIsShared());
  const UNIVERSALNOTEID unid = view.GetUniversalID();
  const UNIVERSALNOTEID expected = TNotesDocument(*FDatabase, design).GetUniversalID();
  EXPECT_EQ(std::memcmp(&unid, &expected, sizeof(unid)), 0);
  auto document = view.GetDocument(1);
  EXPECT_EQ(document->NoteID(), banana);
  EXPECT_GE(document->Summary().IndexOf("Subject=banana"), 1);
  // Load adds again; Update reads afresh.
  view.Load();
  EXPECT_EQ(IDs(view), (TIDs{apple, banana, cherry, apple, banana, cherry}));
  const NOTEID date = Memo("date");
  EXPECT_EQ(view.Update(), NOERROR);
  EXPECT_EQ(IDs(view), (TIDs{apple, banana, cherry, date}));
}

TEST_F(ViewsTest, AViewLargerThanOneReadIsReadWhole) {
  TIDs expected;
  for (int i = 0; i < 600; ++i) {
    char subject[16];
    std::snprintf(subject, sizeof(subject), "%04d ", i);
    expected.push_back(CreateDocument({{"Subject", subject + std::string(400, 'x')}}));
  }
  CreateView("Long", "", {"Subject||S"});
  TNotesView view(*FDatabase, "Long");
  EXPECT_EQ(IDs(view), expected);
  EXPECT_EQ(view.GetSummaryValues(599).substr(0, 15), "\r\nSubject=0599 ");
}

TEST_F(ViewsTest, NamesAreFoundByTitleAndByAliasesAndOpenViewKnowsFolders) {
  const NOTEID design = CreateMemosView();
  for (const char* name : {"Memos|($Memos)", "memos", "($memos)", "Renamed|($Memos)"})
    EXPECT_EQ(TNotesView::GetViewID(*FDatabase, name), design) << name;
  EXPECT_THROW(TNotesView::GetViewID(*FDatabase, "($Memos)|Renamed"), ELotusNotes);
  EXPECT_THROW(TNotesView(*FDatabase, "Nowhere"), ELotusNotes);
  // OpenView makes folders of folders and views of views, but no folder of a view.
  CreateView("Inbox|($Inbox)", "", {"Subject||S"}, "F");
  auto view = FDatabase->OpenView("($Memos)");
  EXPECT_EQ(dynamic_cast<TNotesFolder*>(view.get()), nullptr);
  auto folder = FDatabase->OpenView("($Inbox)");
  ASSERT_NE(dynamic_cast<TNotesFolder*>(folder.get()), nullptr);
  EXPECT_TRUE(folder->GetIsFolder());
  EXPECT_EQ(folder->Flags(), "F");
  EXPECT_EQ(vesktest::ErrorOf<ELnInvalidFolder>([&] { TNotesFolder(*FDatabase, "Memos"); }),
            "Attempting to open view Memos as a folder");
}

class DatabaseViewsTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    FMemos = CreateMemosView();
    FInbox = CreateView("Inbox|($Inbox)", "", {"Subject||S"}, "F");
    FTwoAliases = CreateView("Mail | First | Second ", "", {"Subject||S"});
    FPlain = CreateView("Plain", "SELECT @All", {"Subject||S"});
  }

  NOTEID FMemos = 0, FInbox = 0, FTwoAliases = 0, FPlain = 0;
};

// Handed-out views stay valid when UpdateViews reads the titles again, as reopening does.
TEST_F(DatabaseViewsTest, TitlesAreListedAsTheDesignNotesHoldThemAndReadAgainOnUpdate) {
  ASSERT_EQ(FDatabase->GetViewCount(), 4);
  std::vector<std::string> titles;
  for (int i = 0; i < FDatabase->GetViewCount(); ++i)
    titles.push_back(FDatabase->GetViewByIndex(i)->Name());
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles, (std::vector<std::string>{"Inbox|($Inbox)", "Mail | First | Second ",
                                              "Memos|($Memos)", "Plain"}));
  EXPECT_THROW(FDatabase->GetViewByIndex(4), EStringListError);
  EXPECT_THROW(FDatabase->GetViewByIndex(-1), EStringListError);
  TNotesView* memos = FDatabase->GetViews("($Memos)");
  ASSERT_NE(memos, nullptr);
  CreateView("Later", "", {"Subject||S"});
  EXPECT_EQ(FDatabase->GetViews("Later"), nullptr);
  FDatabase->UpdateViews();
  EXPECT_NE(FDatabase->GetViews("Later"), nullptr);
  EXPECT_EQ(FDatabase->GetViewCount(), 5);
  EXPECT_EQ(memos->Name(), "Memos|($Memos)");
  EXPECT_EQ(memos->Update(), NOERROR);
  CreateView("Later still", "", {"Subject||S"});
  Reopen();
  EXPECT_EQ(FDatabase->GetViewCount(), 6);
}

TEST_F(DatabaseViewsTest, GetViewsComparesTheWholeTitleAndEveryPart) {
  TNotesView* inbox = FDatabase->GetViews("($Inbox)");
  ASSERT_NE(inbox, nullptr);
  EXPECT_EQ(inbox->ViewNoteID(), FInbox);
  EXPECT_NE(dynamic_cast<TNotesFolder*>(inbox), nullptr);
  EXPECT_EQ(FDatabase->GetViews("inbox|($inbox)"), inbox);
  EXPECT_EQ(FDatabase->GetViews("INBOX"), inbox);
  EXPECT_EQ(FDatabase->GetViews("second")->ViewNoteID(), FTwoAliases);
  EXPECT_EQ(FDatabase->GetViews("First")->ViewNoteID(), FTwoAliases);
  EXPECT_EQ(FDatabase->GetViews("plain")->ViewNoteID(), FPlain);
  EXPECT_EQ(FDatabase->GetViews("Pla"), nullptr);
  EXPECT_EQ(FDatabase->GetViews("Inbox|"), nullptr);
  EXPECT_EQ(FDatabase->GetViews(""), nullptr);
}

TEST_F(DatabaseViewsTest, APrivateViewWithASharedViewsTitleOpensAsItself) {
  const NOTEID mine = CreateView("Plain", "", {"Subject||S"}, "V");
  FDatabase->UpdateViews();
  std::vector<NOTEID> opened;
  for (int i = 0; i < FDatabase->GetViewCount(); ++i)
    if (FDatabase->GetViewByIndex(i)->Name() == "Plain")
      opened.push_back(FDatabase->GetViewByIndex(i)->ViewNoteID());
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (TIDs{std::min(FPlain, mine), std::max(FPlain, mine)}));
}

}  // namespace
