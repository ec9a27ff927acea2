// Copying notes between databases and new databases from templates.
#include <gtest/gtest.h>

#include <cstring>

#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/ostime.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

class DbCopy : public runtimetest::StorageTest {
 protected:
  static UNIVERSALNOTEID UnidOf(DBHANDLE Db, NOTEID Id) {
    ORIGINATORID oid{};
    EXPECT_EQ(NSFDbGetNoteInfo(Db, Id, &oid, nullptr, nullptr), NOERROR);
    UNIVERSALNOTEID unid{};
    std::memcpy(&unid, &oid, sizeof unid);
    return unid;
  }
};

TEST_F(DbCopy, CopyKeepsUnidsAndUpdatesInsteadOfDuplicating) {
  NewDatabase("a.nsf");
  NewDatabase("b.nsf");
  DbRef a("a.nsf"), b("b.nsf");
  NOTEID first = SaveDocument(a.Get(), "one");
  SaveDocument(a.Get(), "two");
  TIMEDATE all{};
  TimeConstant(TIMEDATE_WILDCARD, &all);
  ASSERT_EQ(NSFDbCopy(a.Get(), b.Get(), all, NOTE_CLASS_DOCUMENT), NOERROR);
  ASSERT_EQ(NSFDbCopy(a.Get(), b.Get(), all, NOTE_CLASS_DOCUMENT), NOERROR);
  UNIVERSALNOTEID unid = UnidOf(a.Get(), first);
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
}

TEST_F(DbCopy, CreateAndCopyMakesANewDatabaseFromATemplate) {
  NewDatabase("mail.ntf");
  DBREPLICAINFO templateReplica{};
  {
    DbRef templ("mail.ntf");
    char info[NSF_INFO_SIZE] = "Mail\n\n#1StdMail";
    ASSERT_EQ(NSFDbInfoSet(templ.Get(), info), NOERROR);
    SaveDocument(templ.Get(), "design");
    ASSERT_EQ(NSFDbReplicaInfoGet(templ.Get(), &templateReplica), NOERROR);
  }
  DBHANDLE db = NULLHANDLE;
  ASSERT_EQ(NSFDbCreateAndCopy("mail.ntf", "mail/jo.nsf", NOTE_CLASS_ALL, 0, 0, &db), NOERROR);
  char info[NSF_INFO_SIZE];
  ASSERT_EQ(NSFDbInfoGet(db, info), NOERROR);
  EXPECT_STREQ(info, "Mail\n\n#1StdMail");
  DBREPLICAINFO replica{};
  ASSERT_EQ(NSFDbReplicaInfoGet(db, &replica), NOERROR);
  EXPECT_NE(std::memcmp(&replica.ID, &templateReplica.ID, sizeof(TIMEDATE)), 0);
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db, 4, 0, note.Out()), NOERROR);
  EXPECT_EQ(Text(note.Get(), "Subject"), "design");
  *note.Out() = (NSFNoteClose(note.Get()), NULLHANDLE);
  ASSERT_EQ(NSFDbClose(db), NOERROR);
  EXPECT_EQ(NSFDbCreateAndCopy("mail.ntf", "mail/jo.nsf", NOTE_CLASS_ALL, 0, 0, &db), ERR_EXISTS);
  EXPECT_EQ(db, NULLHANDLE);
  ASSERT_EQ(NSFDbCreateAndCopy("mail.ntf", "replica.nsf", NOTE_CLASS_ALL, 0, DBCOPY_REPLICA, &db),
            NOERROR);
  ASSERT_EQ(NSFDbReplicaInfoGet(db, &replica), NOERROR);
  EXPECT_EQ(std::memcmp(&replica.ID, &templateReplica.ID, sizeof(TIMEDATE)), 0);
  ASSERT_EQ(NSFDbClose(db), NOERROR);
}

}  // namespace
