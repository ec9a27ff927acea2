// Folders: creation, membership in insertion order, copy, rename, move, delete. Design notes:
// finding them by title, alias and part, private ones, the builder's single transaction, and the
// built-in templates.
#include <gtest/gtest.h>

#include "ViewFixtureTest.h"
#include "notesapi/foldman.h"
#include "notesapi/idtable.h"

namespace runtimetest {
namespace {

using notesrt::design::TDesignBuilder;
using notesrt::design::TViewSpec;

class FolderTest : public ViewsTest {
 protected:
  NOTEID Create(const std::string& Name, DESIGN_TYPE Type = DESIGN_TYPE_SHARED, NOTEID Format = 0) {
    NOTEID id = 0;
    EXPECT_EQ(FolderCreate(FDb, NULLHANDLE, Format, NULLHANDLE, const_cast<char*>(Name.c_str()),
                           static_cast<WORD>(Name.size()), Type, 0, &id),
              NOERROR)
        << Name;
    return id;
  }

  STATUS WithTable(STATUS (*Call)(DBHANDLE, DBHANDLE, NOTEID, DHANDLE, DWORD), NOTEID Folder,
                   const std::vector<NOTEID>& Ids) {
    MemoryRef table;
    EXPECT_EQ(IDCreateTable(sizeof(NOTEID), table.Out()), NOERROR);
    for (NOTEID id : Ids) IDInsert(table.Get(), id, nullptr);
    return Call(FDb, NULLHANDLE, Folder, table.Get(), 0);
  }

  std::string Title(NOTEID Note) { return TextOf(FDb, Note, "$TITLE"); }

  NOTEID Find(const std::string& Name) {
    NOTEID id = 0;
    return NIFFindDesignNote(FDb, Name.c_str(), NOTE_CLASS_VIEW, &id) == NOERROR ? id : 0;
  }
};

TEST_F(FolderTest, PrivateFoldersAreTheirOwnersOnlyAndViewsAreNoFolders) {
  SetUser("CN=Ann/O=Acme");
  NOTEID mine = Create("Mine", DESIGN_TYPE_PRIVATE_DATABASE);
  NOTEID found = 0;
  EXPECT_EQ(NIFFindPrivateDesignNote(FDb, "Mine", NOTE_CLASS_VIEW, &found), NOERROR);
  EXPECT_EQ(found, mine);
  SetUser("CN=Bob/O=Acme");
  NOTEID theirs = Create("Bob's", DESIGN_TYPE_PRIVATE_DATABASE);
  NOTEID view = AddView(TViewSpec{"A view", "", {}, false, false, ""});
  SetUser("CN=Ann/O=Acme");
  EXPECT_EQ(FolderDocRemoveAll(FDb, NULLHANDLE, theirs, 0), ERR_VIEW_NOACCESS);
  EXPECT_EQ(FolderDelete(FDb, NULLHANDLE, view, 0), ERR_NOTESRT_NOT_FOLDER);
  EXPECT_EQ(FolderDocAdd(FDb, NULLHANDLE, view, NULLHANDLE, 0), ERR_NOTESRT_INVALID_HANDLE);
  DbRef other(NewDatabase("other.nsf"));
  EXPECT_EQ(FolderDelete(FDb, other.Get(), theirs, 0), ERR_MISC_INVALID_ARGS);
}

TEST_F(FolderTest, NamesMustBeFreeAndWellFormed) {
  AddView(TViewSpec{"Inbox|($Inbox)", "", {}, true, false, ""});
  NOTEID id = 9;
  char taken[] = "($inbox)";
  EXPECT_EQ(FolderCreate(FDb, NULLHANDLE, 0, NULLHANDLE, taken, MAXWORD, 0, 0, &id),
            ERR_NOTESRT_FOLDER_EXISTS);
  EXPECT_EQ(id, 0u);
  for (std::string bad : {std::string(), std::string("A\\\\B"), std::string(65, 'x')}) {
    EXPECT_EQ(FolderCreate(FDb, NULLHANDLE, 0, NULLHANDLE, bad.data(),
                           static_cast<WORD>(bad.size()), 0, 0, &id),
              ERR_NOTESRT_FOLDER_NAME)
        << bad;
  }
  // A cascaded name makes the missing parents.
  NOTEID child = Create("Work\\2024\\Q1");
  EXPECT_EQ(Find("Work\\2024\\Q1"), child);
  EXPECT_NE(Find("Work") * Find("Work\\2024"), 0u);
}

TEST_F(FolderTest, MembersAreShownInInsertionOrderOnlyDocumentsGoInAndDeletedOnesLeave) {
  NOTEID a = Doc({{"Subject", "a"}});
  NOTEID b = Doc({{"Subject", "b"}});
  NOTEID c = Doc({{"Subject", "c"}});
  NOTEID folder = Create("Box");
  EXPECT_EQ(WithTable(FolderDocAdd, folder, {c}), NOERROR);
  EXPECT_EQ(WithTable(FolderDocAdd, folder, {a, b}), NOERROR);
  EXPECT_EQ(WithTable(FolderDocAdd, folder, {c}), NOERROR);
  EXPECT_EQ(Ids(ReadAll(folder)), (std::vector<NOTEID>{c, a, b}));
  EXPECT_EQ(WithTable(FolderDocAdd, folder, {0}), ERR_NOTESRT_NOT_DOCUMENT);
  EXPECT_EQ(Ids(ReadAll(folder)), (std::vector<NOTEID>{c, a, b}));
  EXPECT_EQ(WithTable(FolderDocRemove, folder, {a, 0x400}), NOERROR);
  EXPECT_EQ(Ids(ReadAll(folder)), (std::vector<NOTEID>{c, b}));
  // A deleted document leaves every folder; a changed one shows its change.
  ASSERT_EQ(NSFNoteDelete(FDb, c, 0), NOERROR);
  Change(b, {{"Subject", "changed"}});
  EXPECT_EQ(Column(ReadAll(folder), "Subject"), (std::vector<std::string>{"changed"}));
}

TEST_F(FolderTest, CopyTakesDesignMembershipAndSubfolders) {
  NOTEID a = Doc({{"Subject", "a"}});
  NOTEID folder = Create("Old");
  NOTEID sub = Create("Old\\Sub");
  ASSERT_EQ(WithTable(FolderDocAdd, folder, {a}), NOERROR);
  ASSERT_EQ(WithTable(FolderDocAdd, sub, {a}), NOERROR);
  NOTEID copy = 0;
  char name[] = "New";
  ASSERT_EQ(FolderCopy(FDb, NULLHANDLE, folder, name, MAXWORD, 0, &copy), NOERROR);
  NOTEID subCopy = Find("New\\Sub");
  ASSERT_NE(subCopy, 0u);
  EXPECT_EQ(Ids(ReadAll(subCopy)), (std::vector<NOTEID>{a}));
  EXPECT_EQ(Ids(ReadAll(folder)), (std::vector<NOTEID>{a}));
  EXPECT_EQ(FolderCopy(FDb, NULLHANDLE, folder, name, MAXWORD, 0, &copy),
            ERR_NOTESRT_FOLDER_EXISTS);
}

// A rename replaces the whole title, a move puts it below the parent's title without the parent's
// alias; subfolders follow either way, and go with a deleted folder, its documents staying.
TEST_F(FolderTest, RenameAndMoveCarrySubfoldersAndDeleteTakesThemButNotDocuments) {
  NOTEID parent = Create("Parent|($P)");
  NOTEID folder = Create("Old|($Alias)");
  NOTEID sub = Create("Old\\Leaf");
  char name[] = "Child|($C)";
  ASSERT_EQ(FolderRename(FDb, NULLHANDLE, folder, name, MAXWORD, 0), NOERROR);
  EXPECT_EQ(Title(folder), "Child|($C)");
  EXPECT_EQ(Title(sub), "Child\\Leaf");
  ASSERT_EQ(FolderMove(FDb, NULLHANDLE, folder, NULLHANDLE, parent, 0), NOERROR);
  EXPECT_EQ(Title(folder), "Parent\\Child|($C)");
  EXPECT_EQ(Title(sub), "Parent\\Child\\Leaf");
  EXPECT_EQ(FolderMove(FDb, NULLHANDLE, parent, NULLHANDLE, sub, 0), ERR_NOTESRT_FOLDER_NAME);
  ASSERT_EQ(FolderMove(FDb, NULLHANDLE, folder, NULLHANDLE, 0, 0), NOERROR);
  EXPECT_EQ(Title(folder), "Child|($C)");
  NOTEID a = Doc({{"Subject", "a"}});
  NOTEID other = Create("Childish");
  ASSERT_EQ(WithTable(FolderDocAdd, sub, {a}), NOERROR);
  ASSERT_EQ(FolderDelete(FDb, NULLHANDLE, folder, 0), NOERROR);
  EXPECT_EQ(Find("Child"), 0u);
  EXPECT_EQ(Find("Child\\Leaf"), 0u);
  EXPECT_EQ(Find("Childish"), other);
  EXPECT_EQ(TextOf(FDb, a), "a");
  EXPECT_EQ(FolderDocRemoveAll(FDb, NULLHANDLE, sub, 0), ERR_NOTE_DELETED);
}

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
  EXPECT_EQ(OpenCollectionStatus(FDb, mine + 4), ERR_VIEW_NOACCESS) << "Bob's view";
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

using TemplateTest = ViewsTest;

// A known template in the data directory is made on first use and kept; nothing else is.
TEST_F(TemplateTest, OnlyKnownBuiltInTemplatesAreMadeOnFirstUseAndKept) {
  ASSERT_FALSE(std::filesystem::exists(FileOf("basic.ntf")));
  auto allView = [](const char* Path) {
    NOTEID view = 0;
    EXPECT_EQ(NIFFindDesignNote(DbRef(Path).Get(), "($All)", NOTE_CLASS_VIEW, &view), NOERROR);
    return view;
  };
  NOTEID view = allView("BASIC.NTF");
  EXPECT_TRUE(std::filesystem::exists(FileOf("basic.ntf")));
  EXPECT_EQ(allView("basic.ntf"), view);
  EXPECT_EQ(OpenStatus("unknown.ntf"), ERR_NOEXIST);
  EXPECT_EQ(OpenStatus("sub/basic.ntf"), ERR_NOEXIST);
  EXPECT_FALSE(std::filesystem::exists(FileOf("sub")));
}

}  // namespace
}  // namespace runtimetest
