// Notes: IDs, identity, saving, deletion stubs, re-targeting, life after the database handle.
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

TEST_F(Notes, DeletionLeavesAStub) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "gone");
  ASSERT_EQ(NSFNoteDelete(db.Get(), id, 0), NOERROR);
  NoteRef note;
  EXPECT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), ERR_NOTE_DELETED);
  EXPECT_EQ(note.Get(), NULLHANDLE);
  EXPECT_EQ(NSFNoteDelete(db.Get(), id, 0), ERR_NOTE_DELETED);
  EXPECT_EQ(NSFDbGetNoteInfo(db.Get(), id, nullptr, nullptr, nullptr), ERR_NOTE_DELETED);
  EXPECT_EQ(NSFNoteDelete(db.Get(), 400, 0), ERR_INVALID_NOTE);
  EXPECT_EQ(NSFNoteOpen(db.Get(), 400, 0, note.Out()), ERR_INVALID_NOTE);
  EXPECT_EQ(NSFNoteOpen(db.Get(), 0, 0, note.Out()), ERR_INVALID_NOTE);
}

TEST_F(Notes, SavingANoteWhoseNoteWasDeletedFails) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "x");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  ASSERT_EQ(NSFNoteDelete(db.Get(), id, 0), NOERROR);
  EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), ERR_NOTE_DELETED);
}

TEST_F(Notes, OpenByUnidFindsTheNote) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "by unid");
  ORIGINATORID oid{};
  ASSERT_EQ(NSFDbGetNoteInfo(db.Get(), id, &oid, nullptr, nullptr), NOERROR);
  UNIVERSALNOTEID unid{};
  std::memcpy(&unid, &oid, sizeof unid);
  NoteRef note;
  ASSERT_EQ(NSFNoteOpenByUNID(db.Get(), &unid, 0, note.Out()), NOERROR);
  EXPECT_EQ(IdOf(note.Get()), id);
  unid.File[0] ^= 1;
  NoteRef missing;
  EXPECT_NE(NSFNoteOpenByUNID(db.Get(), &unid, 0, missing.Out()), NOERROR);
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

TEST_F(Notes, RetargetedNoteIsCopiedAndCanReturn) {
  NewDatabase("mail.box");
  DbRef db("test.nsf"), box("mail.box");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  AppendText(note.Get(), "Subject", "to send");
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  DBHANDLE home = NULLHANDLE;
  NSFNoteGetInfo(note.Get(), _NOTE_DB, &home);
  EXPECT_EQ(home, db.Get());
  ORIGINATORID original = OidOf(note.Get());

  DBHANDLE target = box.Get();
  ORIGINATORID fresh{};
  ASSERT_EQ(NSFDbGenerateOID(box.Get(), &fresh), NOERROR);
  NSFNoteSetInfo(note.Get(), _NOTE_DB, &target);
  NSFNoteSetInfo(note.Get(), _NOTE_ID, nullptr);
  NSFNoteSetInfo(note.Get(), _NOTE_OID, &fresh);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), UPDATE_NOCOMMIT), NOERROR);
  EXPECT_EQ(IdOf(note.Get()), 4u);

  NOTEID originalId = 4;
  NSFNoteSetInfo(note.Get(), _NOTE_DB, &home);
  NSFNoteSetInfo(note.Get(), _NOTE_ID, &originalId);
  NSFNoteSetInfo(note.Get(), _NOTE_OID, &original);
  AppendText(note.Get(), "Sent", "yes");
  ASSERT_EQ(NSFNoteUpdate(note.Get(), UPDATE_NOCOMMIT), NOERROR);

  NoteRef inBox, inDb;
  ASSERT_EQ(NSFNoteOpen(box.Get(), 4, 0, inBox.Out()), NOERROR);
  ASSERT_EQ(NSFNoteOpen(db.Get(), 4, 0, inDb.Out()), NOERROR);
  EXPECT_EQ(Text(inBox.Get(), "Subject"), "to send");
  EXPECT_EQ(Text(inBox.Get(), "Sent"), "");
  EXPECT_EQ(Text(inDb.Get(), "Sent"), "yes");
  EXPECT_TRUE(SameUnid(OidOf(inBox.Get()), fresh));
  EXPECT_TRUE(SameUnid(OidOf(inDb.Get()), original));
  NoteRef stale;
  EXPECT_EQ(NSFNoteOpen(box.Get(), 8, 0, stale.Out()), ERR_INVALID_NOTE);
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
