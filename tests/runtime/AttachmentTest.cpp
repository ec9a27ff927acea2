// Attachments: stored as objects of the database, extracted byte for byte, copied along when a
// note moves to another database, freed when detached.
#include <gtest/gtest.h>

#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

class Attachments : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase();
    for (int i = 0; i < 70000; ++i) FBytes += static_cast<char>((i * 7919) % 256);
    vesktest::WriteFileText(Source(), FBytes);
  }

  std::string Source() const { return (FEnv.Root() / "report.bin").string(); }
  std::string Target(const std::string& Name) const { return (FEnv.Root() / Name).string(); }

  static BLOCKID Attachment(NOTEHANDLE Note, WORD Index, std::string* Name = nullptr,
                            DWORD* Size = nullptr) {
    BLOCKID item{};
    char name[MAXPATH];
    EXPECT_TRUE(MailGetMessageAttachmentInfo(Note, Index, &item, name, Size, nullptr, nullptr,
                                             nullptr, nullptr));
    if (Name) *Name = name;
    return item;
  }

  std::string FBytes;
};

TEST_F(Attachments, SavedAttachmentExtractsByteIdentical) {
  NOTEID id;
  {
    DbRef db("test.nsf");
    NoteRef note;
    ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
    std::string source = Source();
    ASSERT_EQ(MailAddMessageAttachment(note.Get(), source.data(), const_cast<char*>("r.bin")),
              NOERROR);
    // Extractable before it is stored, too.
    std::string early = Target("early.bin");
    ASSERT_EQ(MailExtractMessageAttachment(note.Get(), Attachment(note.Get(), 0), early.data()),
              NOERROR);
    EXPECT_EQ(vesktest::ReadFileText(early), FBytes);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    id = IdOf(note.Get());
  }
  std::filesystem::remove(Source());
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  std::string name;
  DWORD size = 0;
  BLOCKID item = Attachment(note.Get(), 0, &name, &size);
  EXPECT_EQ(name, "r.bin");
  EXPECT_EQ(size, FBytes.size());
  EXPECT_FALSE(MailGetMessageAttachmentInfo(note.Get(), 1, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr));
  std::string target = Target("out.bin");
  vesktest::WriteFileText(target, "old content that is longer than nothing");
  ASSERT_EQ(NSFNoteExtractFile(note.Get(), item, target.c_str(), nullptr), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(target), FBytes);
}

TEST_F(Attachments, AttachFileRecordsHostAndCompression) {
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  ASSERT_EQ(NSFNoteAttachFile(note.Get(), "$FILE", 5, Source().c_str(), "file0000", 0x1F01),
            NOERROR);
  WORD host = 0;
  BLOCKID item{}, value{};
  ASSERT_TRUE(MailGetMessageAttachmentInfo(note.Get(), 0, &item, nullptr, nullptr, nullptr, &host,
                                           nullptr, nullptr));
  EXPECT_EQ(host, HOST_LOCAL);
  ASSERT_EQ(NSFItemInfo(note.Get(), "$FILE", 5, nullptr, nullptr, &value, nullptr), NOERROR);
  auto* object = reinterpret_cast<FILEOBJECT*>(OSLockBlock(char, value) + sizeof(WORD));
  EXPECT_EQ(object->CompressionType, COMPRESS_HUFF);
  EXPECT_EQ(object->Flags & FILEFLAG_INDOC, FILEFLAG_INDOC);
  EXPECT_EQ(object->FileNameLength, 8);
  OSUnlockBlock(value);
  EXPECT_EQ(NSFNoteAttachFile(note.Get(), "$FILE", 5, Target("missing").c_str(), "x", 0),
            ERR_NOEXIST);
}

TEST_F(Attachments, DetachFreesOnlyThatAttachment) {
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(db.Get(), note.Out()), NOERROR);
  std::string source = Source();
  ASSERT_EQ(MailAddMessageAttachment(note.Get(), source.data(), const_cast<char*>("a")), NOERROR);
  ASSERT_EQ(MailAddMessageAttachment(note.Get(), source.data(), const_cast<char*>("b")), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  BLOCKID first = Attachment(note.Get(), 0), second = Attachment(note.Get(), 1);
  ASSERT_EQ(NSFNoteDetachFile(note.Get(), first), NOERROR);
  EXPECT_EQ(NSFNoteDetachFile(note.Get(), first), ERR_ITEM_NOT_FOUND);
  std::string target = Target("b.bin");
  ASSERT_EQ(NSFNoteExtractFile(note.Get(), second, target.c_str(), nullptr), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(target), FBytes);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  std::string name;
  Attachment(note.Get(), 0, &name);
  EXPECT_EQ(name, "b");
  BLOCKID subject{};
  AppendText(note.Get(), "Subject", "s");
  ASSERT_EQ(NSFItemInfo(note.Get(), "Subject", 7, &subject, nullptr, nullptr, nullptr), NOERROR);
  EXPECT_EQ(NSFNoteExtractFile(note.Get(), subject, target.c_str(), nullptr), ERR_INVALID_ITEMUNK);
  EXPECT_EQ(NSFNoteDetachFile(note.Get(), BLOCKID{}), ERR_ITEM_NOT_FOUND);
}

// Moving a note into another database as sending does (a new OID, saved there) copies its
// objects, one not saved yet too; the copies are that database's own, and the note stays
// closable after that database is closed.
TEST_F(Attachments, MovingANoteCopiesItsObjects) {
  NewDatabase("mail.box");
  NOTEID id;
  {
    DbRef db("test.nsf");
    id = SaveDocument(db.Get(), "with file");
    NoteRef note;
    ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
    std::string source = Source();
    ASSERT_EQ(MailAddMessageAttachment(note.Get(), source.data(), const_cast<char*>("r")), NOERROR);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  std::string second = Target("second.bin");
  vesktest::WriteFileText(second, "second file");
  ASSERT_EQ(MailAddMessageAttachment(note.Get(), second.data(), const_cast<char*>("s")), NOERROR);
  NOTEID moved = 0;
  {
    DbRef box("mail.box");
    DBHANDLE target = box.Get();
    ORIGINATORID oid{};
    ASSERT_EQ(NSFDbGenerateOID(box.Get(), &oid), NOERROR);
    NSFNoteSetInfo(note.Get(), _NOTE_DB, &target);
    NSFNoteSetInfo(note.Get(), _NOTE_ID, nullptr);
    NSFNoteSetInfo(note.Get(), _NOTE_OID, &oid);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    moved = IdOf(note.Get());
  }
  DbRef box("mail.box");
  {
    NoteRef copy;
    ASSERT_EQ(NSFNoteOpen(box.Get(), moved, 0, copy.Out()), NOERROR);
    const std::string expected[] = {FBytes, "second file"};
    for (WORD index : {0, 1}) {
      std::string out = Target("copy" + std::to_string(index));
      ASSERT_EQ(NSFNoteExtractFile(copy.Get(), Attachment(copy.Get(), index), out.c_str(), nullptr),
                NOERROR);
      EXPECT_EQ(vesktest::ReadFileText(out), expected[index]);
    }
  }
  // The original loses nothing when the copy is deleted with its objects.
  ASSERT_EQ(NSFNoteDelete(box.Get(), moved, 0), NOERROR);
  NoteRef original;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, original.Out()), NOERROR);
  std::string out = Target("orig.bin");
  ASSERT_EQ(NSFNoteExtractFile(original.Get(), Attachment(original.Get(), 0), out.c_str(), nullptr),
            NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(out), FBytes);
}
}  // namespace
