// Notes: IDs, identity, saving, deletion stubs, life after the database handle.
#include <gtest/gtest.h>

#include <cstring>

#include "StorageFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

class Notes : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase();
  }

  static ORIGINATORID OidOf(NOTEHANDLE Note) {
    ORIGINATORID oid{};
    NSFNoteGetInfo(Note, _NOTE_OID, &oid);
    return oid;
  }

  static bool SameUnid(const ORIGINATORID& A, const ORIGINATORID& B) {
    return std::memcmp(&A, &B, sizeof(UNIVERSALNOTEID)) == 0;
  }
};

TEST_F(Notes, NewNoteHasItsUnidAtOnceAndItsIdOnSave) {
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  ORIGINATORID before = OidOf(note.Get());
  EXPECT_EQ(IdOf(note.Get()), 0u);
  EXPECT_NE(before.File[0] | before.File[1], 0u);
  WORD noteClass = 0;
  NSFNoteGetInfo(note.Get(), _NOTE_CLASS, &noteClass);
  EXPECT_EQ(noteClass, NOTE_CLASS_DOCUMENT);

  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  ORIGINATORID saved = OidOf(note.Get());
  EXPECT_EQ(IdOf(note.Get()), 4u);
  EXPECT_TRUE(SameUnid(before, saved));
  EXPECT_EQ(saved.Sequence, before.Sequence + 1);
  TIMEDATE modified{};
  NSFNoteGetInfo(note.Get(), _NOTE_MODIFIED, &modified);
  EXPECT_NE(modified.Innards[1], 0u);

  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  EXPECT_EQ(IdOf(note.Get()), 4u);
  ORIGINATORID info{};
  TIMEDATE stored{};
  WORD storedClass = 0;
  ASSERT_EQ(NSFDbGetNoteInfo(db.Get(), 4, &info, &stored, &storedClass), NOERROR);
  EXPECT_EQ(info.Sequence, saved.Sequence + 1);
  EXPECT_EQ(storedClass, NOTE_CLASS_DOCUMENT);
}

TEST_F(Notes, IdsAreNeverReusedAcrossDeletionAndReopen) {
  {
    DbRef db("test.nsf");
    EXPECT_EQ(SaveDocument(db.Get(), "a"), 4u);
    EXPECT_EQ(SaveDocument(db.Get(), "b"), 8u);
    ASSERT_EQ(NSFNoteDelete(db.Get(), 8, UPDATE_NOCOMMIT), NOERROR);
  }
  DbRef db("test.nsf");
  EXPECT_EQ(SaveDocument(db.Get(), "c"), 12u);
  ASSERT_EQ(NSFNoteDelete(db.Get(), 12, UPDATE_NOSTUB), NOERROR);
  EXPECT_EQ(SaveDocument(db.Get(), "d"), 16u);
}

TEST_F(Notes, DeletionLeavesAStubAndAnOpenCopyCannotBeSaved) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "gone");
  NoteRef open;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, open.Out()), NOERROR);
  ASSERT_EQ(NSFNoteDelete(db.Get(), id, 0), NOERROR);
  EXPECT_EQ(NSFNoteUpdate(open.Get(), 0), ERR_NOTE_DELETED);
  NoteRef note;
  EXPECT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), ERR_NOTE_DELETED);
  EXPECT_EQ(note.Get(), NULLHANDLE);
  EXPECT_EQ(NSFNoteDelete(db.Get(), id, 0), ERR_NOTE_DELETED);
  EXPECT_EQ(NSFDbGetNoteInfo(db.Get(), id, nullptr, nullptr, nullptr), ERR_NOTE_DELETED);
  EXPECT_EQ(NSFNoteDelete(db.Get(), 400, 0), ERR_INVALID_NOTE);
  EXPECT_EQ(NSFNoteOpen(db.Get(), 400, 0, note.Out()), ERR_INVALID_NOTE);
  EXPECT_EQ(NSFNoteOpen(db.Get(), 0, 0, note.Out()), ERR_INVALID_NOTE);
}

TEST_F(Notes, NoteWorksOnAfterItsDatabaseHandleIsClosed) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "first");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  db.Close();
  EXPECT_EQ(Text(note.Get(), "Subject"), "first");
  ASSERT_EQ(NSFItemSetText(note.Get(), "Subject", "second", MAXWORD), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  DbRef again("test.nsf");
  NoteRef reread;
  ASSERT_EQ(NSFNoteOpen(again.Get(), id, 0, reread.Out()), NOERROR);
  EXPECT_EQ(Text(reread.Get(), "Subject"), "second");
}

TEST_F(Notes, ResponseRecordsItsParent) {
  DbRef db("test.nsf");
  NOTEID parent = SaveDocument(db.Get(), "parent");
  ORIGINATORID parentOid{};
  ASSERT_EQ(NSFDbGetNoteInfo(db.Get(), parent, &parentOid, nullptr, nullptr), NOERROR);
  NoteRef response;
  ASSERT_EQ(NSFNoteCreate(db.Get(), response.Out()), NOERROR);
  char ref[sizeof(WORD) + sizeof(UNIVERSALNOTEID)];
  WORD count = 1;
  std::memcpy(ref, &count, sizeof count);
  std::memcpy(ref + sizeof count, &parentOid, sizeof(UNIVERSALNOTEID));
  ASSERT_EQ(NSFItemAppend(response.Get(), 0, "$REF", 4, TYPE_NOTEREF_LIST, ref, sizeof ref),
            NOERROR);
  ASSERT_EQ(NSFNoteUpdate(response.Get(), 0), NOERROR);
  NOTEID recorded = 0;
  NSFNoteGetInfo(response.Get(), _NOTE_PARENT_NOTEID, &recorded);
  EXPECT_EQ(recorded, parent);
}

TEST_F(Notes, StaleNoteHandlesFailCleanly) {
  DbRef db("test.nsf");
  NOTEHANDLE note = NULLHANDLE;
  ASSERT_EQ(NSFNoteCreate(db.Get(), &note), NOERROR);
  ASSERT_EQ(NSFNoteClose(note), NOERROR);
  EXPECT_EQ(NSFNoteClose(note), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFNoteUpdate(note, 0), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFItemAppend(note, 0, "A", 1, TYPE_TEXT, "x", 1), ERR_NOTESRT_INVALID_HANDLE);
  NOTEID id = 77;
  NSFNoteGetInfo(note, _NOTE_ID, &id);
  EXPECT_EQ(id, 77u);
  EXPECT_EQ(NSFNoteCreate(note, &note), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFNoteCreate(db.Get(), nullptr), ERR_MISC_INVALID_ARGS);
}

}  // namespace
