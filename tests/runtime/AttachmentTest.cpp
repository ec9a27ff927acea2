// Attachments: stored as objects of the database, extracted byte for byte, freed when detached.
// That a sent note takes its files along to the other databases is the plug-in's mail test.
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
  void Attach(const char* Name) {
    ASSERT_EQ(MailAddMessageAttachment(Note(), Source().data(), const_cast<char*>(Name)), NOERROR);
  }

  // Attachment Index of the note: its item, and its name, size and host when asked.
  BLOCKID Attachment(WORD Index, std::string* Name = nullptr, DWORD* Size = nullptr,
                     WORD* Host = nullptr) {
    BLOCKID item{};
    char name[MAXPATH];
    EXPECT_TRUE(MailGetMessageAttachmentInfo(Note(), Index, &item, name, Size, nullptr, Host,
                                             nullptr, nullptr));
    if (Name) *Name = name;
    return item;
  }

  std::string FBytes;
};

TEST_F(Attachments, AttachFileRecordsHostAndCompression) {
  NOTEHANDLE note = Note();
  ASSERT_EQ(NSFNoteAttachFile(note, "$FILE", 5, Source().c_str(), "file0000", 0x1F01), NOERROR);
  WORD host = 0;
  Attachment(0, nullptr, nullptr, &host);
  EXPECT_EQ(host, HOST_LOCAL);
  BLOCKID value{};
  ASSERT_EQ(NSFItemInfo(note, "$FILE", 5, nullptr, nullptr, &value, nullptr), NOERROR);
  auto* object = reinterpret_cast<FILEOBJECT*>(OSLockBlock(char, value) + sizeof(WORD));
  EXPECT_EQ(object->CompressionType, COMPRESS_HUFF);
  EXPECT_EQ(object->Flags & FILEFLAG_INDOC, FILEFLAG_INDOC);
  EXPECT_EQ(object->FileNameLength, 8);
  OSUnlockBlock(value);
  EXPECT_EQ(NSFNoteAttachFile(note, "$FILE", 5, Target("missing").c_str(), "x", 0), ERR_NOEXIST);
}

TEST_F(Attachments, DetachFreesOnlyThatAttachment) {
  Attach("a");
  Attach("b");
  // Extractable before it is stored, too.
  std::string target = Target("b.bin");
  ASSERT_EQ(NSFNoteExtractFile(Note(), Attachment(1), target.c_str(), nullptr), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(target), FBytes);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  BLOCKID first = Attachment(0), second = Attachment(1);
  ASSERT_EQ(NSFNoteDetachFile(Note(), first), NOERROR);
  EXPECT_EQ(NSFNoteDetachFile(Note(), first), ERR_ITEM_NOT_FOUND);
  vesktest::WriteFileText(target, "old content, replaced whole");
  ASSERT_EQ(NSFNoteExtractFile(Note(), second, target.c_str(), nullptr), NOERROR);
  EXPECT_EQ(vesktest::ReadFileText(target), FBytes);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  std::string name;
  DWORD size = 0;
  Attachment(0, &name, &size);
  EXPECT_EQ(name + " " + std::to_string(size), "b " + std::to_string(FBytes.size()));
  EXPECT_FALSE(MailGetMessageAttachmentInfo(Note(), 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr));
  BLOCKID subject{};
  AppendText(Note(), "Subject", "s");
  ASSERT_EQ(NSFItemInfo(Note(), "Subject", 7, &subject, nullptr, nullptr, nullptr), NOERROR);
  EXPECT_EQ(NSFNoteExtractFile(Note(), subject, target.c_str(), nullptr), ERR_INVALID_ITEMUNK);
  EXPECT_EQ(NSFNoteDetachFile(Note(), BLOCKID{}), ERR_ITEM_NOT_FOUND);
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
  Attach("r");
  BLOCKID item = Attachment(0);
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
  Attach("r");
  std::filesystem::path elsewhere = FEnv.Root() / "elsewhere.txt", link = Target("link.bin");
  vesktest::WriteFileText(elsewhere, "not to be touched");
  std::filesystem::create_symlink(elsewhere, link);
  ASSERT_EQ(NSFNoteExtractFile(Note(), Attachment(0), link.c_str(), nullptr), NOERROR);
  EXPECT_FALSE(std::filesystem::is_symlink(link));
  EXPECT_EQ(vesktest::ReadFileText(link), FBytes);
  EXPECT_EQ(vesktest::ReadFileText(elsewhere), "not to be touched");
}
}  // namespace
