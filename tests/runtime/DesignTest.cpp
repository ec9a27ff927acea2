// Design notes: finding them by title, alias and part, private ones, the builder's single
// transaction, and the built-in templates.
#include <gtest/gtest.h>

#include "ViewFixtureTest.h"

namespace runtimetest {
namespace {

using notesrt::design::TDesignBuilder;
using notesrt::design::TViewSpec;

class DesignTest : public ViewsTest {
 protected:
  STATUS Find(const char* Name, NOTEID* Id, bool Private = false) {
    return Private ? NIFFindPrivateDesignNote(FDb, Name, NOTE_CLASS_VIEW, Id)
                   : NIFFindDesignNote(FDb, Name, NOTE_CLASS_VIEW, Id);
  }
};

TEST_F(DesignTest, ViewsAreFoundByWholeTitleAndEachTrimmedPartIgnoringCase) {
  NOTEID inbox = AddView(TViewSpec{"Inbox | ($Inbox)|Mail", "", {}, true, false, ""});
  for (const char* name :
       {"Inbox | ($Inbox)|Mail", "inbox", "($INBOX)", " mail ", "INBOX | ($inbox)|mail"}) {
    NOTEID found = 0;
    EXPECT_EQ(Find(name, &found), NOERROR) << name;
    EXPECT_EQ(found, inbox) << name;
  }
  NOTEID found = 5;
  EXPECT_EQ(Find("In", &found), ERR_NOT_FOUND);
  EXPECT_EQ(found, 0u);
  EXPECT_EQ(Find("", &found), ERR_NOT_FOUND);
  EXPECT_EQ(NIFFindDesignNote(FDb, "Inbox", NOTE_CLASS_FORM, &found), ERR_NOT_FOUND);
}

TEST_F(DesignTest, PrivateViewsAreFoundOnlyByTheirOwnerAndOnlyAsPrivate) {
  SetUser("CN=Ann/O=Acme");
  NOTEID mine = AddView(TViewSpec{"Todo", "", {}, false, false, "CN=Ann/O=Acme"});
  AddView(TViewSpec{"Secret", "", {}, false, false, "CN=Bob/O=Acme"});
  NOTEID found = 0;
  EXPECT_EQ(Find("Todo", &found), ERR_NOT_FOUND);
  HCOLLECTION collection = 0;
  NOTEID secret = mine + 4;
  EXPECT_EQ(NIFOpenCollection(FDb, FDb, secret, 0, NULLHANDLE, &collection, nullptr, nullptr,
                              nullptr, nullptr),
            ERR_VIEW_NOACCESS);
}

TEST_F(DesignTest, BuilderWritesAllNotesOrNone) {
  TDesignBuilder builder;
  builder.View(TViewSpec{"Good", "SELECT @All", {}, false, false, ""});
  builder.View(TViewSpec{"Bad", "SELECT @Prompt([Ok]; \"a\"; \"b\")", {}, false, false, ""});
  EXPECT_ANY_THROW(builder.Build(FDb));
  NOTEID found = 0;
  EXPECT_EQ(Find("Good", &found), ERR_NOT_FOUND);
  TDesignBuilder columns;
  columns.View(TViewSpec{"Columns", "", {{"", "@Nonsense(", ""}}, false, false, ""});
  EXPECT_ANY_THROW(columns.Build(FDb));
}

class TemplateTest : public ViewsTest {};

// A known template in the data directory is made on first use and kept; nothing else is.
TEST_F(TemplateTest, OnlyKnownBuiltInTemplatesAreMadeOnFirstUseAndKept) {
  ASSERT_FALSE(std::filesystem::exists(FileOf("basic.ntf")));
  DBHANDLE templ = NULLHANDLE;
  ASSERT_EQ(NSFDbOpen("BASIC.NTF", &templ), NOERROR);
  NOTEID view = 0;
  EXPECT_EQ(NIFFindDesignNote(templ, "($All)", NOTE_CLASS_VIEW, &view), NOERROR);
  EXPECT_EQ(NSFDbClose(templ), NOERROR);
  EXPECT_TRUE(std::filesystem::exists(FileOf("basic.ntf")));
  ASSERT_EQ(NSFDbOpen("basic.ntf", &templ), NOERROR);
  NOTEID again = 0;
  EXPECT_EQ(NIFFindDesignNote(templ, "($All)", NOTE_CLASS_VIEW, &again), NOERROR);
  EXPECT_EQ(again, view);
  EXPECT_EQ(NSFDbClose(templ), NOERROR);
  DBHANDLE db = NULLHANDLE;
  EXPECT_EQ(NSFDbOpen("unknown.ntf", &db), ERR_NOEXIST);
  EXPECT_EQ(NSFDbOpen("sub/basic.ntf", &db), ERR_NOEXIST);
  EXPECT_FALSE(std::filesystem::exists(FileOf("sub")));
}

}  // namespace
}  // namespace runtimetest
