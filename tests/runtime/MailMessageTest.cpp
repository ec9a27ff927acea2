// Mail messages: header items by code, the recipients list the runtime takes over, plain-text
// bodies as rich text, form defaults computed into a note, and attached files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DamageTools.h"
#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"
#include "notesapi/ostime.h"
#include "notesapi/textlist.h"
#include "views/design/DesignBuilder.h"

namespace {

using runtimetest::NoteRef;

class MailMessage : public runtimetest::NewNoteTest {
 protected:
  // MailGetMessageItem into a buffer of Size bytes, expecting the status Expected.
  std::string Get(WORD Code, STATUS Expected = NOERROR, WORD Size = 2048) {
    std::vector<char> buffer(Size, 'x');
    WORD length = 0xFFFF;
    EXPECT_EQ(MailGetMessageItem(Note(), Code, buffer.data(), Size, &length), Expected) << Code;
    EXPECT_EQ(std::strlen(buffer.data()), length);
    return std::string(buffer.data(), length);
  }

  std::vector<runtimetest::ItemValue> Items(const char* Name) {
    return runtimetest::ItemValues(Note(), Name);
  }

  // A prefixed text list in a memory handle, as the object library builds it; left unlocked.
  static DHANDLE List(const std::vector<std::string>& Entries, WORD& Size) {
    DHANDLE list = NULLHANDLE;
    void* pointer = nullptr;
    EXPECT_EQ(ListAllocate(0, 0, TRUE, &list, &pointer, &Size), NOERROR);
    OSUnlockObject(list);
    for (size_t index = 0; index < Entries.size(); ++index)
      EXPECT_EQ(ListAddEntry(list, TRUE, &Size, static_cast<WORD>(index), Entries[index].c_str(),
                             static_cast<WORD>(Entries[index].size())),
                NOERROR);
    return list;
  }
};

TEST_F(MailMessage, HeaderItemsReplaceEveryItemOfTheirNameAndDateCodesTakeATime) {
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_SUBJECT_ITEM_NUM, "new", 3), NOERROR);
  std::vector<runtimetest::ItemValue> subject = Items("Subject");
  ASSERT_EQ(subject.size(), 1u);
  EXPECT_EQ(subject[0].Value, "new");
  EXPECT_EQ(subject[0].Type, TYPE_TEXT);
  EXPECT_TRUE(subject[0].Flags & ITEM_SUMMARY);
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_FORM_ITEM_NUM, "", 0), NOERROR);
  EXPECT_EQ(Get(MAIL_FORM_ITEM_NUM), "");
  std::string big(9000, 'a');
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_SUBJECT_ITEM_NUM, big.data(), 9000), NOERROR);
  EXPECT_FALSE(Items("Subject").at(0).Flags & ITEM_SUMMARY);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  TIMEDATE now{};
  OSCurrentTIMEDATE(&now);
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_POSTEDDATE_ITEM_NUM, &now, sizeof now), NOERROR);
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_COMPOSEDDATE_ITEM_NUM, &now, sizeof now), NOERROR);
  EXPECT_EQ(Items("PostedDate").at(0).Type, TYPE_TIME);
  EXPECT_EQ(Items("ComposedDate").at(0).Type, TYPE_TIME);
  EXPECT_EQ(MailAddHeaderItem(Note(), MAIL_POSTEDDATE_ITEM_NUM, "12345678x", 9),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(Items("PostedDate").size(), 1u);
  // An unknown code is an error of its own, never "item not found".
  EXPECT_EQ(MailAddHeaderItem(Note(), 7, "x", 1), ERR_NOTESRT_MAIL_ITEM_CODE);
  Get(7, ERR_NOTESRT_MAIL_ITEM_CODE);
}

// Only text reads as text: a date or a number is a zero-length string, as published. How lists
// are joined is the object library's mail message test.
TEST_F(MailMessage, ReadingCutsAtACharacterAndReportsMissingItems) {
  TIME local{2024, 3, 15, 0, 14, 30, 5, 0, 0, 0, {}};
  OSCurrentTimeZone(&local.zone, &local.dst);
  ASSERT_FALSE(TimeLocalToGM(&local));
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_POSTEDDATE_ITEM_NUM, &local.GM, 8), NOERROR);
  EXPECT_EQ(Get(MAIL_POSTEDDATE_ITEM_NUM), "");
  AppendItem(Note(), "DeliveryPriority", TYPE_NUMBER, runtimetest::Raw(NUMBER{2}), 0);
  EXPECT_EQ(Get(MAIL_DELIVERYPRIORITY_ITEM_NUM), "");
  EXPECT_EQ(Get(MAIL_BLINDCOPYTO_ITEM_NUM, ERR_ITEM_NOT_FOUND), "");
  const std::string lmbcs = Lmbcs("a\xE6\x97\xA5\xE6\x9C\xAC");
  ASSERT_GT(lmbcs.size(), 3u);  // "a" and two characters of several bytes each
  ASSERT_EQ(MailAddHeaderItem(Note(), MAIL_SUBJECT_ITEM_NUM, lmbcs.data(), lmbcs.size()), NOERROR);
  EXPECT_EQ(Get(MAIL_SUBJECT_ITEM_NUM, NOERROR, 3), "a");
  EXPECT_EQ(Get(MAIL_SUBJECT_ITEM_NUM), lmbcs);
}

// A list the note takes over is the note's to free; one that is not a list is refused and stays
// the caller's.
TEST_F(MailMessage, RecipientsListIsTakenOverAndReplacedUnlessItIsNone) {
  WORD size = 0;
  DHANDLE first = List({"old"}, size);
  ASSERT_EQ(MailAddRecipientsItem(Note(), first, size), NOERROR);
  DHANDLE second = List({"r1", "", " r2"}, size);
  ASSERT_EQ(MailAddRecipientsItem(Note(), second, size), NOERROR);
  std::vector<runtimetest::ItemValue> recipients = Items("Recipients");
  ASSERT_EQ(recipients.size(), 1u);
  EXPECT_EQ(recipients[0].Type, TYPE_TEXT_LIST);
  EXPECT_TRUE(recipients[0].Flags & ITEM_SUMMARY);
  EXPECT_EQ(NSFItemGetTextListEntries(Note(), "Recipients"), 3);
  // The caller may not free what the note owns now; the note frees it when closed (a leak
  // would fail the test).
  EXPECT_EQ(OSMemFree(second), ERR_NOTESRT_RUNTIME_OWNED);
  EXPECT_EQ(MailAddRecipientsItem(Note(), second, size), ERR_NOTESRT_RUNTIME_OWNED);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  DHANDLE bad = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 8, &bad), NOERROR);
  std::memcpy(OSLockObject(bad), "\x01\x05\x09\x00\x01\x00zz", 8);  // 9 entries in 8 bytes
  OSUnlockObject(bad);
  EXPECT_EQ(MailAddRecipientsItem(Note(), bad, 8), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(MailAddRecipientsItem(Note(), bad, 200), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NSFItemGetTextListEntries(Note(), "Recipients"), 3);  // what was there stays
  EXPECT_EQ(OSMemFree(bad), NOERROR);
}

class MailBody : public MailMessage {
 protected:
  // A body buffer holding Lines; Length gets its length.
  static DHANDLE NewBody(const std::vector<std::string>& Lines, DWORD& Length) {
    DHANDLE body = NULLHANDLE;
    EXPECT_EQ(MailCreateBodyItem(&body, &Length), NOERROR);
    for (const std::string& line : Lines)
      EXPECT_EQ(MailAppendBodyItemLine(body, &Length, const_cast<char*>(line.data()),
                                       static_cast<WORD>(line.size())),
                NOERROR);
    return body;
  }
};

// A body of several items is added whole or not at all.
TEST_F(MailBody, FailedAppendsNamedItemsAndDamagedBuffersAddNothing) {
  DWORD length = 0;
  DHANDLE body = NewBody(std::vector<std::string>(5, std::string(30000, 'b')), length);
  NotesRTFailItemAppend(1, ERR_MEMORY);
  EXPECT_EQ(MailAddBodyItem(Note(), body, length, nullptr), ERR_MEMORY);
  EXPECT_TRUE(Items("Body").empty());
  EXPECT_EQ(MailAddBodyItem(Note(), body, length, nullptr), NOERROR);
  EXPECT_EQ(Items("Body").size(), 3u);
  EXPECT_EQ(MailAddBodyItem(Note(), body, length, const_cast<char*>("Other")), NOERROR);
  EXPECT_EQ(Items("Other").size(), 3u);
  EXPECT_EQ(OSMemFree(body), NOERROR);
  ASSERT_EQ(MailCreateBodyItem(&body, &length), NOERROR);
  EXPECT_EQ(MailAddBodyItem(Note(), body, length + 1, nullptr), ERR_NOTESRT_MAIL_BODY);
  std::memset(OSLockObject(body), 0xFF, length);  // the header now claims 65,535 bytes
  OSUnlockObject(body);
  EXPECT_EQ(MailAddBodyItem(Note(), body, length, nullptr), ERR_NOTESRT_MAIL_BODY);
  DWORD wrong = length + 10;
  EXPECT_EQ(MailAppendBodyItemLine(body, &wrong, const_cast<char*>("y"), 1), ERR_NOTESRT_MAIL_BODY);
  EXPECT_EQ(Items("Body").size(), 3u);
  EXPECT_EQ(OSMemFree(body), NOERROR);
}

// The extended form adds the same "Body" for text already in LMBCS; the runtime converts from no
// other character set, so a character set given is refused and adds nothing.
TEST_F(MailBody, ExtendedFormAddsTheSameBodyForLmbcsText) {
  DWORD length = 0;
  DHANDLE body = NewBody({"Hello",
                          "Gr\x81\xE1"
                          "e"},
                         length);
  ASSERT_EQ(MailAddBodyItem(Note(), body, length, const_cast<char*>("Plain")), NOERROR);
  ASSERT_EQ(MailAddBodyItemExt(Note(), body, length, nullptr), NOERROR);
  std::vector<runtimetest::ItemValue> added = Items("Body");
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].Type, TYPE_COMPOSITE);
  EXPECT_EQ(added[0].Value, Items("Plain").at(0).Value);
  char charset[16] = {};
  EXPECT_EQ(MailAddBodyItemExt(Note(), body, length, reinterpret_cast<NLS_PINFO>(charset)),
            ERR_NOTESRT_MAIL_CHARSET);
  EXPECT_EQ(MailAddBodyItemExt(Note(), body, length + 1, nullptr), ERR_NOTESRT_MAIL_BODY);
  EXPECT_EQ(Items("Body").size(), 1u);
  EXPECT_EQ(OSMemFree(body), NOERROR);
}

class ComputeWithForm : public MailMessage {
 protected:
  void SetUp() override {
    MailMessage::SetUp();
    notesrt::design::TDesignBuilder builder;
    builder.Form({{"Memo", "Note"}, {{"Category", "\"Mail\""}, {"Copy", "Category + \"!\""}}});
    builder.Form({{"Broken"}, {{"A", "\"a\""}, {"B", "@Error"}}});
    builder.Build(FDb->Get());
  }
};

TEST_F(ComputeWithForm, DefaultsFillOnlyMissingFieldsInOrder) {
  AppendText(Note(), "Form", "note");  // by alias, without regard to case
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(Text(Note(), "Category"), "Mail");
  EXPECT_EQ(Text(Note(), "Copy"), "Mail!");
  ASSERT_EQ(NSFItemSetText(Note(), "Category", "Own", MAXWORD), NOERROR);
  ASSERT_EQ(NSFItemDelete(Note(), "Copy", 4), NOERROR);
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(Text(Note(), "Category"), "Own");
  EXPECT_EQ(Items("Category").size(), 1u) << "a default added beside the field's own value";
  EXPECT_EQ(Text(Note(), "Copy"), "Own!");
}

// No form, an unknown one, or one whose default fails leaves the note as it was.
TEST_F(ComputeWithForm, NoFormAnUnknownOneOrAFailingDefaultChangesNothing) {
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr), NOERROR);
  AppendText(Note(), "Form", "Nonesuch");
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr), NOERROR);
  EXPECT_TRUE(Items("Category").empty());
  ASSERT_EQ(NSFItemSetText(Note(), "Form", "Broken", MAXWORD), NOERROR);
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr),
            ERR_FORMULA_USER_ERROR);
  EXPECT_TRUE(Items("A").empty());
  EXPECT_NE(NSFNoteComputeWithForm(NULLHANDLE, NULLHANDLE, 0, nullptr, nullptr), NOERROR);
}

TEST_F(ComputeWithForm, AStoredFormOrAFormNoteGivenComesFirst) {
  AppendText(Note(), "Form", "Memo");
  AppendItem(Note(), "$NotesRT_FieldDefaults", TYPE_TEXT_LIST,
             runtimetest::TextListValue({"Category|\"S\""}), 0);
  EXPECT_EQ(NSFNoteComputeWithForm(Note(), NULLHANDLE, 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(Text(Note(), "Category"), "S");
  NoteRef other;
  ASSERT_EQ(NSFNoteCreate(FDb->Get(), other.Out()), NOERROR);
  EXPECT_EQ(NSFNoteComputeWithForm(other.Get(), Note(), 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(Text(other.Get(), "Category"), "S");
}

// Attachments: stored as objects of the database, extracted byte for byte, freed when detached.
// That a sent note takes its files along to the other databases is the plug-in's mail test.
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
