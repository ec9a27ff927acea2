// Notes: IDs, identity, saving, deletion stubs, life after the database handle; unread tables.
#include <gtest/gtest.h>

#include <cstring>

#include "StorageFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"
#include "notesapi/ostime.h"

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
  EXPECT_EQ(std::memcmp(&before, &saved, sizeof(UNIVERSALNOTEID)), 0) << "the same UNID";
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

TEST_F(Notes, DeletionLeavesAStubAndIdsAreNeverReused) {
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

TEST_F(Notes, NotesWorkOnAfterTheDatabaseIsClosedAndStaleHandlesFailCleanly) {
  DbRef db("test.nsf");
  NOTEID id = SaveDocument(db.Get(), "first");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  db.Close();
  EXPECT_EQ(Text(note.Get(), "Subject"), "first");
  ASSERT_EQ(NSFItemSetText(note.Get(), "Subject", "second", MAXWORD), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  DbRef again("test.nsf");
  EXPECT_EQ(TextOf(again.Get(), id), "second");
  NOTEHANDLE stale = NULLHANDLE;
  ASSERT_EQ(NSFNoteCreate(again.Get(), &stale), NOERROR);
  ASSERT_EQ(NSFNoteClose(stale), NOERROR);
  EXPECT_EQ(NSFNoteClose(stale), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFNoteUpdate(stale, 0), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFItemAppend(stale, 0, "A", 1, TYPE_TEXT, "x", 1), ERR_NOTESRT_INVALID_HANDLE);
  id = 77;
  NSFNoteGetInfo(stale, _NOTE_ID, &id);
  EXPECT_EQ(id, 77u);
  EXPECT_EQ(NSFNoteCreate(stale, &stale), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFNoteCreate(again.Get(), nullptr), ERR_MISC_INVALID_ARGS);
}

TEST_F(Notes, CopyKeepsUnidsAndUpdatesInsteadOfDuplicating) {
  NewDatabase("b.nsf");
  DbRef a("test.nsf"), b("b.nsf");
  NOTEID first = SaveDocument(a.Get(), "one");
  SaveDocument(a.Get(), "two");
  TIMEDATE all{};
  TimeConstant(TIMEDATE_WILDCARD, &all);
  ASSERT_EQ(NSFDbCopy(a.Get(), b.Get(), all, NOTE_CLASS_DOCUMENT), NOERROR);
  ASSERT_EQ(NSFDbCopy(a.Get(), b.Get(), all, NOTE_CLASS_DOCUMENT), NOERROR);
  ORIGINATORID oid{};
  ASSERT_EQ(NSFDbGetNoteInfo(a.Get(), first, &oid, nullptr, nullptr), NOERROR);
  UNIVERSALNOTEID unid{{oid.File[0], oid.File[1]}, oid.Note};
  NoteRef copy;
  ASSERT_EQ(NSFNoteOpenByUNID(b.Get(), &unid, 0, copy.Out()), NOERROR);
  EXPECT_EQ(Text(copy.Get(), "Subject"), "one");
  NoteRef third;
  EXPECT_EQ(NSFNoteOpen(b.Get(), 12, 0, third.Out()), ERR_INVALID_NOTE);

  NOTEID copied = 0;
  WORD noteClass = 0;
  ASSERT_EQ(NSFDbCopyNote(a.Get(), nullptr, nullptr, first, b.Get(), nullptr, nullptr, &copied,
                          &noteClass),
            NOERROR);
  EXPECT_EQ(copied, IdOf(copy.Get()));
  EXPECT_EQ(noteClass, NOTE_CLASS_DOCUMENT);
  ASSERT_EQ(NSFNoteDelete(a.Get(), first, 0), NOERROR);
  EXPECT_EQ(
      NSFDbCopyNote(a.Get(), nullptr, nullptr, first, b.Get(), nullptr, nullptr, &copied, nullptr),
      ERR_NOTE_DELETED);
  // A new replica keeps the replica ID; any other copy gets one of its own.
  DBREPLICAINFO original{}, replica{};
  ASSERT_EQ(NSFDbReplicaInfoGet(a.Get(), &original), NOERROR);
  for (WORD flags : {WORD{0}, WORD{DBCOPY_REPLICA}}) {
    const std::string name = "copy" + std::to_string(flags) + ".nsf";
    CopyDatabase("test.nsf", name, NOTE_CLASS_ALL, flags);
    ASSERT_EQ(NSFDbReplicaInfoGet(DbRef(name).Get(), &replica), NOERROR);
    EXPECT_EQ(std::memcmp(&replica.ID, &original.ID, sizeof(TIMEDATE)) == 0, flags != 0) << flags;
  }
}

// A signature names the configured user, canonical, and its organisation as the certifier.
TEST_F(Notes, SignatureNamesTheConfiguredUserAndItsCertifier) {
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, "Jo Doe/Sales/Acme");
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  ASSERT_EQ(NSFNoteSign(note.Get()), NOERROR);
  char signer[MAXUSERNAME + 1], certifier[MAXUSERNAME + 1];
  ASSERT_EQ(NSFNoteVerifySignature(note.Get(), nullptr, nullptr, signer, certifier), NOERROR);
  EXPECT_EQ(std::string(signer) + "|" + certifier, "CN=Jo Doe/OU=Sales/O=Acme|O=Acme");
}

// Unread tables: created with every document unread, kept current, changed by difference. The
// new note of the fixture is not saved: only its database is used.
class Unread : public runtimetest::NewNoteTest {
 protected:
  DHANDLE Table(const char* User, BOOL Create = TRUE) {
    DHANDLE table = NULLHANDLE;
    EXPECT_EQ(NSFDbGetUnreadNoteTable(FDb->Get(), const_cast<char*>(User),
                                      static_cast<WORD>(std::strlen(User)), Create, &table),
              NOERROR);
    return table;
  }

  std::vector<NOTEID> Ids(const char* User) {
    DHANDLE table = Table(User);
    std::vector<NOTEID> ids = runtimetest::TableIds(table);
    IDDestroyTable(table);
    return ids;
  }

  static NOTEHANDLE OpenProfile(DBHANDLE Db, const char* Name, const char* User) {
    NOTEHANDLE note = NULLHANDLE;
    EXPECT_EQ(NSFProfileOpen(Db, Name, static_cast<WORD>(std::strlen(Name)), User,
                             User ? static_cast<WORD>(std::strlen(User)) : 0, TRUE, &note),
              NOERROR);
    return note;
  }
};

TEST_F(Unread, NewTableHoldsEveryDocumentAndStaysCurrent) {
  NOTEID a = SaveDocument(FDb->Get(), "a"), b = SaveDocument(FDb->Get(), "b");
  EXPECT_EQ(Table("CN=Nobody/O=Acme", FALSE), NULLHANDLE);
  EXPECT_EQ(Ids("CN=Jo/O=Acme"), (std::vector<NOTEID>{a, b}));
  NOTEID c = SaveDocument(FDb->Get(), "c");
  ASSERT_EQ(NSFNoteDelete(FDb->Get(), a, 0), NOERROR);
  EXPECT_EQ(Ids("cn=jo/o=acme"), (std::vector<NOTEID>{b, c}));
  EXPECT_EQ(Ids("Jo/Acme"), (std::vector<NOTEID>{b, c}));
}

TEST_F(Unread, ChangesApplyAsADifferenceAndPersist) {
  NOTEID a = SaveDocument(FDb->Get(), "a"), b = SaveDocument(FDb->Get(), "b");
  DHANDLE working = Table("CN=Jo/O=Acme");
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  DHANDLE original = NULLHANDLE;
  ASSERT_EQ(IDTableCopy(working, &original), NOERROR);
  IDDelete(working, a, nullptr);
  // Marked read elsewhere meanwhile: the difference leaves it alone.
  NOTEID c = SaveDocument(FDb->Get(), "c");
  char user[] = "CN=Jo/O=Acme";
  ASSERT_EQ(NSFDbSetUnreadNoteTable(FDb->Get(), user, sizeof user - 1, FALSE, original, working),
            NOERROR);
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  EXPECT_FALSE(IDIsPresent(working, a));
  EXPECT_TRUE(IDIsPresent(working, c));
  ASSERT_EQ(NSFNoteDelete(FDb->Get(), c, 0), NOERROR);  // deleted documents leave the table
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  EXPECT_FALSE(IDIsPresent(working, c));
  IDDestroyTable(original);
  IDDestroyTable(working);
  FDb.reset();
  FDb = std::make_unique<DbRef>("test.nsf");
  EXPECT_EQ(Ids("CN=Jo/O=Acme"), (std::vector<NOTEID>{b}));
  EXPECT_EQ(Ids("CN=Other/O=Acme"), (std::vector<NOTEID>{a, b}));
}

// Profiles: one note per name and user, ignoring case; no document a user reads.
TEST_F(Unread, ProfilesOneNotePerNameAndUserIgnoringCase) {
  DBHANDLE db = FDb->Get();
  NOTEID id;
  {
    NoteRef profile(OpenProfile(db, "CalendarProfile", "CN=Jo/O=Acme"));
    id = IdOf(profile.Get());
    EXPECT_NE(id, 0u);
    AppendText(profile.Get(), "Owner", "Jo");
    ASSERT_EQ(NSFProfileUpdate(profile.Get(), "CalendarProfile", 15, "CN=Jo/O=Acme", 12), NOERROR);
  }
  NoteRef same(OpenProfile(db, "calendarprofile", "jo/acme"));
  EXPECT_EQ(IdOf(same.Get()), id);
  EXPECT_EQ(Text(same.Get(), "Owner"), "Jo");
  NoteRef other(OpenProfile(db, "CalendarProfile", "CN=Al/O=Acme"));
  EXPECT_NE(IdOf(other.Get()), id);
  NoteRef shared(OpenProfile(db, "CalendarProfile", nullptr));
  EXPECT_NE(IdOf(shared.Get()), id);
  EXPECT_TRUE(Ids("CN=Jo/O=Acme").empty()) << "profiles are no documents a user reads";
}

}  // namespace
