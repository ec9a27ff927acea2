// Mail messages: header items by code, the recipients list the runtime takes over, plain-text
// bodies as rich text, and form defaults computed into a note.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
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

}  // namespace
