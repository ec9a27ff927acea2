// Sending as the object library does it: an open note moved into the router mailbox with a new
// OID and saved; attachment objects travel with it, and the note stays closable after the
// mailbox is closed. (The kept copy is the object library's MailSendTest.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/osenv.h"
#include "notesapi/ostime.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

constexpr char MailBox[] = "CN=Srv1/O=Acme!!mail.box";

class MailDeposit : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    std::string servers = (FEnv.Root() / "servers").string();
    OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, servers.c_str());
    ASSERT_EQ(NotesRTCreateServer("Srv1/Acme"), NOERROR);
    NewDatabase("user.nsf");
    FFile = (FEnv.Root() / "a.bin").string();
    FSecond = (FEnv.Root() / "b.bin").string();
    vesktest::WriteFileText(FFile, std::string(5000, 'A') + "end");
    vesktest::WriteFileText(FSecond, "second file");
  }

  // The bytes of every attachment of a note, in order, extracted to files.
  std::vector<std::string> Attachments(NOTEHANDLE Note) {
    std::vector<std::string> contents;
    BLOCKID item{};
    for (WORD index = 0; MailGetMessageAttachmentInfo(Note, index, &item, nullptr, nullptr, nullptr,
                                                      nullptr, nullptr, nullptr);
         ++index) {
      std::string out = (FEnv.Root() / ("out" + std::to_string(index))).string();
      EXPECT_EQ(MailExtractMessageAttachment(Note, item, out.data()), NOERROR);
      contents.push_back(vesktest::ReadFileText(out));
    }
    return contents;
  }

  static std::vector<std::string> ItemNames(NOTEHANDLE Note) {
    std::vector<std::string> names;
    NSFItemScan(
        Note,
        [](WORD, WORD, char* Name, WORD Length, void*, DWORD, void* Names) -> STATUS {
          static_cast<std::vector<std::string>*>(Names)->emplace_back(Name, Length);
          return NOERROR;
        },
        &names);
    return names;
  }

  static UNIVERSALNOTEID Unid(const ORIGINATORID& Oid) {
    return UNIVERSALNOTEID{{Oid.File[0], Oid.File[1]}, Oid.Note};
  }

  // A mail with one attachment saved in the user's database and one still in memory.
  void Compose(DBHANDLE Db, NoteRef& Note) {
    ASSERT_EQ(NSFNoteCreate(Db, Note.Out()), NOERROR);
    ASSERT_EQ(MailAddHeaderItem(Note.Get(), MAIL_SUBJECT_ITEM_NUM, "Report", 6), NOERROR);
    ASSERT_EQ(MailAddMessageAttachment(Note.Get(), FFile.data(), const_cast<char*>("a.bin")),
              NOERROR);
    ASSERT_EQ(NSFNoteUpdate(Note.Get(), 0), NOERROR);
    ASSERT_EQ(MailAddMessageAttachment(Note.Get(), FSecond.data(), const_cast<char*>("b.bin")),
              NOERROR);
    TIMEDATE now{};
    OSCurrentTIMEDATE(&now);
    ASSERT_EQ(MailAddHeaderItem(Note.Get(), MAIL_POSTEDDATE_ITEM_NUM, &now, 8), NOERROR);
  }

  // The first step of Send: into the mailbox under a new OID.
  void Send(NOTEHANDLE Note, ORIGINATORID& Sent) {
    DBHANDLE box = NULLHANDLE;
    ASSERT_EQ(NSFDbOpen(MailBox, &box), NOERROR);
    ASSERT_EQ(NSFDbGenerateOID(box, &Sent), NOERROR);
    NSFNoteSetInfo(Note, _NOTE_DB, &box);
    NSFNoteSetInfo(Note, _NOTE_ID, nullptr);
    NSFNoteSetInfo(Note, _NOTE_OID, &Sent);
    EXPECT_EQ(NSFNoteUpdate(Note, UPDATE_NOCOMMIT), NOERROR);
    EXPECT_EQ(NSFDbClose(box), NOERROR);
  }

  std::string FFile, FSecond;
};

TEST_F(MailDeposit, TheMailboxGetsANewNoteWithItsItemsAndObjects) {
  DbRef user("user.nsf");
  NoteRef note;
  Compose(user.Get(), note);
  ORIGINATORID original{}, sent{};
  NSFNoteGetInfo(note.Get(), _NOTE_OID, &original);
  NOTEID userId = IdOf(note.Get());
  std::vector<std::string> names = ItemNames(note.Get());
  Send(note.Get(), sent);
  // The note still names the mailbox, whose handle is closed now; closing it is safe.
  DBHANDLE closed = NULLHANDLE;
  NSFNoteGetInfo(note.Get(), _NOTE_DB, &closed);
  EXPECT_NE(closed, user.Get());
  // The user's copy is gone from the user's database; the mailbox's copy stands alone.
  ASSERT_EQ(NSFNoteDelete(user.Get(), userId, 0), NOERROR);
  DbRef box(MailBox);
  UNIVERSALNOTEID unid = Unid(sent);
  NoteRef deposited;
  ASSERT_EQ(NSFNoteOpenByUNID(box.Get(), &unid, 0, deposited.Out()), NOERROR);
  EXPECT_EQ(ItemNames(deposited.Get()), names);
  EXPECT_EQ(Attachments(deposited.Get()),
            (std::vector<std::string>{std::string(5000, 'A') + "end", "second file"}));
  unid = Unid(original);
  NoteRef missing;
  EXPECT_NE(NSFNoteOpenByUNID(box.Get(), &unid, 0, missing.Out()), NOERROR);
}

}  // namespace
