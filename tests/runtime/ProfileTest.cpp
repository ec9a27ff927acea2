// Profiles keyed by name and user, and signatures by the configured user.
#include <gtest/gtest.h>

#include <cstring>

#include "StorageFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/osenv.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

class Profiles : public runtimetest::StorageTest {
 protected:
  NOTEHANDLE Open(DBHANDLE Db, const char* Name, const char* User) {
    NOTEHANDLE note = NULLHANDLE;
    EXPECT_EQ(NSFProfileOpen(Db, Name, static_cast<WORD>(std::strlen(Name)), User,
                             User ? static_cast<WORD>(std::strlen(User)) : 0, TRUE, &note),
              NOERROR);
    return note;
  }
};

TEST_F(Profiles, OneNotePerNameAndUserIgnoringCase) {
  NewDatabase();
  DbRef db("test.nsf");
  NOTEID id;
  {
    NoteRef profile(Open(db.Get(), "CalendarProfile", "CN=Jo/O=Acme"));
    id = IdOf(profile.Get());
    EXPECT_NE(id, 0u);
    AppendText(profile.Get(), "Owner", "Jo");
    ASSERT_EQ(NSFProfileUpdate(profile.Get(), "CalendarProfile", 15, "CN=Jo/O=Acme", 12), NOERROR);
  }
  NoteRef same(Open(db.Get(), "calendarprofile", "jo/acme"));
  EXPECT_EQ(IdOf(same.Get()), id);
  EXPECT_EQ(Text(same.Get(), "Owner"), "Jo");
  NoteRef other(Open(db.Get(), "CalendarProfile", "CN=Al/O=Acme"));
  EXPECT_NE(IdOf(other.Get()), id);
  NoteRef shared(Open(db.Get(), "CalendarProfile", nullptr));
  EXPECT_NE(IdOf(shared.Get()), id);
  // Profiles are no documents a user reads.
  DHANDLE unread = NULLHANDLE;
  ASSERT_EQ(NSFDbGetUnreadNoteTable(db.Get(), const_cast<char*>("CN=Jo/O=Acme"), 12, TRUE, &unread),
            NOERROR);
  EXPECT_EQ(IDEntries(unread), 0u);
  IDDestroyTable(unread);
}

TEST_F(Profiles, SignatureNamesTheConfiguredUser) {
  NewDatabase();
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, "Jo Doe/Sales/Acme");
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  char signer[MAXUSERNAME + 1], certifier[MAXUSERNAME + 1];
  TIMEDATE when{};
  EXPECT_EQ(NSFNoteVerifySignature(note.Get(), nullptr, &when, signer, certifier),
            ERR_NOTE_NOT_SIGNED);
  ASSERT_EQ(NSFNoteSign(note.Get()), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  NoteRef reread;
  ASSERT_EQ(NSFNoteOpen(db.Get(), IdOf(note.Get()), 0, reread.Out()), NOERROR);
  ASSERT_EQ(NSFNoteVerifySignature(reread.Get(), nullptr, &when, signer, certifier), NOERROR);
  EXPECT_STREQ(signer, "CN=Jo Doe/OU=Sales/O=Acme");
  EXPECT_STREQ(certifier, "O=Acme");
  EXPECT_NE(when.Innards[1], 0u);
}

}  // namespace
