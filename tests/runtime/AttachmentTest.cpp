// Attachments: stored as objects of the database, extracted byte for byte, copied along when a
// note moves to another database, freed when detached.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <map>
#include <memory>

#include "DamageTools.h"
#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

// The new note of each test, and a file of 70,000 bytes to attach.
class Attachments : public runtimetest::NewNoteTest {
 protected:
  void SetUp() override {
    NewNoteTest::SetUp();
    for (int i = 0; i < 70000; ++i) FBytes += static_cast<char>((i * 7919) % 256);
    vesktest::WriteFileText(Source(), FBytes);
  }

  std::string Source() const { return (FEnv.Root() / "report.bin").string(); }
  std::string Target(const std::string& Name) const { return (FEnv.Root() / Name).string(); }
  void Attach(NOTEHANDLE Note, const char* Name, std::string Path = "") {
    if (Path.empty()) Path = Source();
    ASSERT_EQ(MailAddMessageAttachment(Note, Path.data(), const_cast<char*>(Name)), NOERROR);
  }

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
  Attach(Note(), "r.bin");
  // Extractable before it is stored, too.
  std::string early = Target("early.bin");
  ASSERT_EQ(MailExtractMessageAttachment(Note(), Attachment(Note(), 0), early.data()), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(early), FBytes);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  NOTEID id = IdOf(Note());
  FNote.reset();
  FDb.reset();
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
  NOTEHANDLE note = Note();
  ASSERT_EQ(NSFNoteAttachFile(note, "$FILE", 5, Source().c_str(), "file0000", 0x1F01), NOERROR);
  WORD host = 0;
  BLOCKID item{}, value{};
  ASSERT_TRUE(MailGetMessageAttachmentInfo(note, 0, &item, nullptr, nullptr, nullptr, &host,
                                           nullptr, nullptr));
  EXPECT_EQ(host, HOST_LOCAL);
  ASSERT_EQ(NSFItemInfo(note, "$FILE", 5, nullptr, nullptr, &value, nullptr), NOERROR);
  auto* object = reinterpret_cast<FILEOBJECT*>(OSLockBlock(char, value) + sizeof(WORD));
  EXPECT_EQ(object->CompressionType, COMPRESS_HUFF);
  EXPECT_EQ(object->Flags & FILEFLAG_INDOC, FILEFLAG_INDOC);
  EXPECT_EQ(object->FileNameLength, 8);
  OSUnlockBlock(value);
  EXPECT_EQ(NSFNoteAttachFile(note, "$FILE", 5, Target("missing").c_str(), "x", 0), ERR_NOEXIST);
}

TEST_F(Attachments, DetachFreesOnlyThatAttachment) {
  Attach(Note(), "a");
  Attach(Note(), "b");
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  BLOCKID first = Attachment(Note(), 0), second = Attachment(Note(), 1);
  ASSERT_EQ(NSFNoteDetachFile(Note(), first), NOERROR);
  EXPECT_EQ(NSFNoteDetachFile(Note(), first), ERR_ITEM_NOT_FOUND);
  std::string target = Target("b.bin");
  ASSERT_EQ(NSFNoteExtractFile(Note(), second, target.c_str(), nullptr), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(target), FBytes);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  std::string name;
  Attachment(Note(), 0, &name);
  EXPECT_EQ(name, "b");
  BLOCKID subject{};
  AppendText(Note(), "Subject", "s");
  ASSERT_EQ(NSFItemInfo(Note(), "Subject", 7, &subject, nullptr, nullptr, nullptr), NOERROR);
  EXPECT_EQ(NSFNoteExtractFile(Note(), subject, target.c_str(), nullptr), ERR_INVALID_ITEMUNK);
  EXPECT_EQ(NSFNoteDetachFile(Note(), BLOCKID{}), ERR_ITEM_NOT_FOUND);
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
    Attach(note.Get(), "r");
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }
  DbRef db("test.nsf");
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  std::string second = Target("second.bin");
  vesktest::WriteFileText(second, "second file");
  Attach(note.Get(), "s", second);
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

// What a folder holds: each entry's name with its bytes, "<dir>" or its link's destination.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& Folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
    std::string name = entry.path().filename().string();
    if (entry.is_symlink())
      entries[name] = "-> " + std::filesystem::read_symlink(entry).string();
    else if (entry.is_directory())
      entries[name] = "<dir>";
    else
      entries[name] = vesktest::ReadFileText(entry.path());
  }
  return entries;
}

// A failed extraction leaves the folder exactly as it was: the old file unchanged and no
// partial file beside it.
TEST_F(Attachments, FailedExtractionChangesNothing) {
  struct TCase {
    const char* Name;
    // Prepares Folder around its "out.bin"; false when this machine cannot make the damage.
    std::function<bool(const std::filesystem::path&, std::unique_ptr<vesktest::SmallDisk>&)> Damage;
    std::string TargetName;
    STATUS Expected;
  };
  auto readOnly = [](const std::filesystem::path& folder, auto& disk) {
    if (geteuid() != 0) return chmod(folder.c_str(), 0555) == 0;
    disk = std::make_unique<vesktest::SmallDisk>(folder, 1024);
    if (!disk->Mounted()) return false;
    vesktest::WriteFileText(folder / "out.bin", "old");
    return disk->MakeReadOnly();
  };
  auto fullDisk = [](const std::filesystem::path& folder, auto& disk) {
    disk = std::make_unique<vesktest::SmallDisk>(folder, 256);
    if (!disk->Mounted()) return false;
    vesktest::WriteFileText(folder / "out.bin", "old");
    disk->Fill();
    return true;
  };
  auto nothing = [](const std::filesystem::path&, auto&) { return true; };
  auto directory = [](const std::filesystem::path& folder, auto&) {
    std::filesystem::remove(folder / "out.bin");
    return std::filesystem::create_directory(folder / "out.bin");
  };
  const TCase cases[] = {
      {"read-only directory", readOnly, "out.bin", ERR_NOTESRT_STORAGE},
      {"full disk", fullDisk, "out.bin", ERR_NOTESRT_DISK_FULL},
      {"missing directory", nothing, "missing/out.bin", ERR_NOEXIST},
      {"directory at the target", directory, "out.bin", ERR_NOTESRT_STORAGE},
  };
  Attach(Note(), "r");
  BLOCKID item = Attachment(Note(), 0);
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    std::filesystem::path folder = FEnv.Root() / test.Name;
    std::filesystem::create_directory(folder);
    vesktest::WriteFileText(folder / "out.bin", "old");
    std::unique_ptr<vesktest::SmallDisk> disk;
    if (!test.Damage(folder, disk)) {
      std::cout << "skipped \"" << test.Name << "\": needs root to mount a small disk\n";
      continue;
    }
    auto before = Snapshot(folder);
    std::string target = (folder / test.TargetName).string();
    EXPECT_EQ(NSFNoteExtractFile(Note(), item, target.c_str(), nullptr), test.Expected);
    EXPECT_EQ(Snapshot(folder), before);
    chmod(folder.c_str(), 0755);
  }
}

// A link at the target is replaced by the file; the file it pointed to is not written.
TEST_F(Attachments, ExtractionReplacesALinkAtTheTarget) {
  Attach(Note(), "r");
  std::filesystem::path elsewhere = FEnv.Root() / "elsewhere.txt", link = Target("link.bin");
  vesktest::WriteFileText(elsewhere, "not to be touched");
  std::filesystem::create_symlink(elsewhere, link);
  ASSERT_EQ(NSFNoteExtractFile(Note(), Attachment(Note(), 0), link.c_str(), nullptr), NOERROR);
  EXPECT_FALSE(std::filesystem::is_symlink(link));
  EXPECT_EQ(vesktest::ReadFileText(link), FBytes);
  EXPECT_EQ(vesktest::ReadFileText(elsewhere), "not to be touched");
}
}  // namespace
