// The view index kept in the database: built once, then brought up to date only from the notes
// changed since.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "ChildProcess.h"
#include "DamageTools.h"
#include "ViewFixtureTest.h"
#include "notesapi/nsfnote.h"

namespace runtimetest {
namespace {

using notesrt::design::TViewSpec;

// How many entries a collection holds.
size_t CountEntries(HCOLLECTION Collection) {
  COLLECTIONPOSITION position{};
  return ReadIds(Collection, position).size();
}

class ViewIndexTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    for (int index = 0; index < 5; ++index)
      FDocs.push_back(Doc({{"Form", "Memo"}, {"Subject", "s" + std::to_string(index)}}));
    FView = AddView(
        TViewSpec{"Memos", "SELECT Form = \"Memo\"", {{"Subject", "", "S"}}, false, false, ""});
  }

  DWORD Evaluations() {
    DWORD evaluations = 0;
    ReadAll(FView, nullptr, &evaluations);
    return evaluations;
  }

  std::vector<NOTEID> FDocs;
  NOTEID FView = 0;
};

TEST_F(ViewIndexTest, OnlyChangedDocumentsAreEvaluatedAgainEvenAfterReopening) {
  EXPECT_EQ(Evaluations(), 5u);
  EXPECT_EQ(Evaluations(), 0u);
  EXPECT_EQ(Ids(ReadAll(FView)), FDocs);
  ASSERT_EQ(NSFDbClose(FDb), NOERROR);
  ASSERT_EQ(NSFDbOpen("views.nsf", &FDb), NOERROR);
  EXPECT_EQ(Evaluations(), 0u);
  Evaluations();
  Change(FDocs[1], {{"Subject", "zz"}});
  EXPECT_EQ(Evaluations(), 1u);
  EXPECT_EQ(Column(ReadAll(FView), "Subject"),
            (std::vector<std::string>{"s0", "s2", "s3", "s4", "zz"}));
  Change(FDocs[2], {{"Form", "Other"}});
  EXPECT_EQ(Evaluations(), 1u);
  EXPECT_EQ(ReadAll(FView).size(), 4u);
}

// A deleted document leaves no row behind; a deleted view takes its index along.
TEST_F(ViewIndexTest, DeletedDocumentsLeaveTheViewAndADeletedViewTakesItsIndex) {
  Evaluations();
  ASSERT_EQ(NSFNoteDelete(FDb, FDocs[0], 0), NOERROR);
  NOTEID added = Doc({{"Form", "Memo"}, {"Subject", "a"}});
  // Only the added document is evaluated: a deletion is no reason to build the index again.
  EXPECT_EQ(Evaluations(), 1u);
  // Without a stub there is nothing to find the deletion by: the index is built again.
  ASSERT_EQ(NSFNoteDelete(FDb, FDocs[1], UPDATE_NOSTUB), NOERROR);
  EXPECT_EQ(Ids(ReadAll(FView)), (std::vector<NOTEID>{added, FDocs[2], FDocs[3], FDocs[4]}));
  std::string rows =
      "SELECT count(*) FROM view_entries WHERE note_id = " + std::to_string(FDocs[0]);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), rows), 0);
  std::string entries =
      "SELECT count(*) FROM view_entries WHERE view_id = " + std::to_string(FView);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), entries), 4);
  ASSERT_EQ(NSFNoteDelete(FDb, FView, 0), NOERROR);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), entries), 0);
  EXPECT_EQ(vesktest::ValueOn(FileOf("views.nsf"), "SELECT count(*) FROM view_index"), 0);
  EXPECT_EQ(OpenCollectionStatus(FDb, FView), ERR_NOTE_DELETED);
}

TEST_F(ViewIndexTest, ChangedDesignRebuildsTheIndex) {
  Evaluations();
  NoteRef view;
  ASSERT_EQ(NSFNoteOpen(FDb, FView, 0, view.Out()), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(view.Get(), 0), NOERROR);
  EXPECT_EQ(Evaluations(), 5u);
  HCOLLECTION collection = Open(FView, OPEN_REBUILD_INDEX);  // so does the flag
  DWORD evaluations = 0;
  EXPECT_EQ(NotesRTCollectionEvaluations(collection, &evaluations), NOERROR);
  EXPECT_EQ(evaluations, 5u);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
}

TEST_F(ViewIndexTest, OpenCollectionsKeepTheirOwnSnapshotsUntilUpdated) {
  HCOLLECTION collection = Open(FView);
  Doc({{"Form", "Memo"}, {"Subject", "new"}});
  EXPECT_EQ(CountEntries(collection), 5u);
  ASSERT_EQ(NIFUpdateCollection(collection), NOERROR);
  EXPECT_EQ(CountEntries(collection), 6u);
  DWORD evaluations = 0;
  EXPECT_EQ(NotesRTCollectionEvaluations(collection, &evaluations), NOERROR);
  EXPECT_EQ(evaluations, 1u);
  EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
  HCOLLECTION first = Open(FView);
  Change(FDocs[0], {{"Form", "Other"}});
  HCOLLECTION second = Open(FView);
  EXPECT_EQ(CountEntries(first), 6u);
  EXPECT_EQ(CountEntries(second), 5u);
  EXPECT_EQ(NIFCloseCollection(second), NOERROR);
  EXPECT_EQ(CountEntries(first), 6u);
  EXPECT_EQ(NIFCloseCollection(first), NOERROR);
}

TEST_F(ViewIndexTest, DocumentsAnotherProcessSavedAreAddedIncrementally) {
  NOTEID all = AddView(TViewSpec{"All", "", {}, false, false, ""});
  DWORD evaluations = 0;
  ReadAll(all, nullptr, &evaluations);
  ASSERT_EQ(vesktest::ChildProcess({STORAGE_CHILD_PATH, "views.nsf", "0", "3"}).Wait(), 0);
  EXPECT_EQ(ReadAll(all, nullptr, &evaluations).size(), FDocs.size() + 3);
  EXPECT_EQ(evaluations, 3u);
}

TEST_F(ViewIndexTest, ViewOfTheCurrentUserIsEvaluatedAtEveryOpen) {
  SetUser("CN=Ann/O=Acme");
  NOTEID ann = Doc({{"Owner", "CN=Ann/O=Acme"}});
  Doc({{"Owner", "CN=Bob/O=Acme"}});
  NOTEID mine = AddView(TViewSpec{"Mine", "SELECT Owner = @UserName", {}, false, false, ""});
  EXPECT_EQ(Ids(ReadAll(mine)), (std::vector<NOTEID>{ann}));
  SetUser("CN=Carl/O=Acme");
  EXPECT_TRUE(ReadAll(mine).empty());
}

// Notes opened in the order of a collection just read are read ahead in batches; every open
// still returns the note as stored at that moment, whoever changed it in between.
constexpr int Documents = 40;
// Opened before the change: the change falls inside the batch read for them.
constexpr int OpenedBefore = 3;
constexpr int Changed = 5;

using ReadAheadTest = ViewsTest;

TEST_F(ReadAheadTest, EveryOpenSeesTheNoteAsStoredThen) {
  enum THow { Save, Delete, SqlReplace, SqlDelete };
  const struct {
    const char* Name;
    THow How;
    std::string Expected;
  } cases[] = {
      {"saved through another handle", Save, "new"},
      {"deleted through another handle", Delete, "status " + std::to_string(ERR_NOTE_DELETED)},
      {"items replaced by another connection", SqlReplace, "s0"},
      {"deleted by another connection", SqlDelete, "status " + std::to_string(ERR_INVALID_NOTE)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Name);
    std::vector<NOTEID> ids;
    for (int index = 0; index < Documents; ++index)
      ids.push_back(Doc({{"Case", test.Name}, {"Subject", "s" + std::to_string(index)}}));
    const std::string selection = std::string("SELECT Case = \"") + test.Name + "\"";
    NOTEID view = AddView({test.Name, selection, {{"Subject", "", ""}}, false, false, ""});
    // Read as the object library reads a view before it opens the documents.
    ASSERT_EQ(Ids(ReadAll(view)), ids);
    for (int index = 0; index < OpenedBefore; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]), "s" + std::to_string(index));
    const std::string changed = std::to_string(ids[Changed]);
    if (test.How == Save) Change(ids[Changed], {{"Subject", "new"}});
    if (test.How == Delete) NSFNoteDelete(FDb, ids[Changed], 0);
    // Another connection to the file, as another process has.
    if (test.How == SqlReplace)
      vesktest::ExecuteOn(FileOf("views.nsf"),
                          "UPDATE notes SET items = (SELECT items FROM notes WHERE note_id = " +
                              std::to_string(ids[0]) + ") WHERE note_id = " + changed);
    if (test.How == SqlDelete)
      vesktest::ExecuteOn(FileOf("views.nsf"), "DELETE FROM notes WHERE note_id = " + changed);
    for (int index = OpenedBefore; index < Documents; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]),
                index == Changed ? test.Expected : "s" + std::to_string(index))
          << "document " << index;
  }
}

}  // namespace
}  // namespace runtimetest
