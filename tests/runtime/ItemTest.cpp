// Items of an open note: order, several items of one name, BLOCKIDs, typed values, limits, and
// values converted to text.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ScopedEnv.h"
#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"
#include "notesapi/ostime.h"

namespace {

class Items : public runtimetest::NewNoteTest {
 protected:
  // The texts of every item of Name, walked with NSFItemInfo / NSFItemInfoNext.
  std::vector<std::string> Walk(const char* Name) {
    std::vector<std::string> texts;
    for (const runtimetest::ItemValue& item : runtimetest::ItemValues(Note(), Name))
      texts.push_back(item.Value);
    return texts;
  }

  std::string Convert(const char* Name, char Separator = ';', WORD Size = 256) {
    char text[256];
    WORD length = NSFItemConvertToText(Note(), Name, text, Size, Separator);
    return std::string(text, length);
  }
};

TEST_F(Items, SeveralItemsOfOneNameKeepTheirOrderAndGoTogether) {
  AppendText(Note(), "Body", "one");
  AppendText(Note(), "Other", "x");
  AppendText(Note(), "body", "two");
  AppendText(Note(), "BODY", "three");
  EXPECT_EQ(Walk("Body"), (std::vector<std::string>{"one", "two", "three"}));
  Reopen();
  EXPECT_EQ(Walk("bOdY"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(NSFItemDelete(Note(), "BODY", 4), NOERROR);
  EXPECT_EQ(NSFItemDelete(Note(), "Body", 4), ERR_ITEM_NOT_FOUND);
  EXPECT_TRUE(Walk("Body").empty());
  EXPECT_EQ(Text(Note(), "Other"), "x");
}

// One item of a name goes, the others stay: a writer takes back what it appended.
TEST_F(Items, BlockIdsRemoveOnlyTheirItemStayValidAcrossWritesAndStaleOnesEndTheWalk) {
  for (const char* text : {"one", "two", "three"}) AppendText(Note(), "Body", text);
  BLOCKID first{}, second{};
  ASSERT_EQ(NSFItemInfo(Note(), "Body", 4, &first, nullptr, nullptr, nullptr), NOERROR);
  ASSERT_EQ(NSFItemInfoNext(Note(), first, "Body", 4, &second, nullptr, nullptr, nullptr), NOERROR);
  EXPECT_EQ(NSFItemDeleteByBLOCKID(Note(), second), NOERROR);
  EXPECT_EQ(Walk("Body"), (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(NSFItemDeleteByBLOCKID(Note(), second), ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(NSFItemDeleteByBLOCKID(Note(), BLOCKID{}), ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(NSFItemDeleteByBLOCKID(NULLHANDLE, first), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(Walk("Body").size(), 2u);
  AppendText(Note(), "Subject", "hello");
  BLOCKID item{}, value{};
  ASSERT_EQ(NSFItemInfo(Note(), "Subject", 7, &item, nullptr, &value, nullptr), NOERROR);
  for (int i = 0; i < 20; ++i) AppendText(Note(), "Filler" + std::to_string(i), "x");
  ASSERT_EQ(NSFItemDelete(Note(), "Filler3", 7), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  char name[32];
  WORD nameLength = 0, flags = 0, type = 0;
  DWORD length = 0;
  BLOCKID queried{};
  NSFItemQuery(Note(), item, name, sizeof name, &nameLength, &flags, &type, &queried, &length);
  EXPECT_EQ(std::string(name, nameLength), "Subject");
  EXPECT_EQ(flags & ITEM_SUMMARY, ITEM_SUMMARY);
  EXPECT_EQ(type, TYPE_TEXT);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(queried.pool, value.pool);
  WORD* typeWord = OSLockBlock(WORD, value);
  EXPECT_EQ(*typeWord, TYPE_TEXT);
  EXPECT_EQ(std::memcmp(typeWord + 1, "hello", 5), 0);
  OSUnlockBlock(value);
  EXPECT_EQ(OSMemFree(value.pool), ERR_NOTESRT_RUNTIME_OWNED);
  AppendText(Note(), "A", "1");
  AppendText(Note(), "A", "2");
  ASSERT_EQ(NSFItemInfo(Note(), "A", 1, &first, nullptr, &value, nullptr), NOERROR);
  auto nextA = [this](BLOCKID After) {
    BLOCKID next{};
    return NSFItemInfoNext(Note(), After, "A", 1, &next, nullptr, nullptr, nullptr);
  };
  EXPECT_EQ(nextA(BLOCKID{}), ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(nextA(value), ERR_ITEM_NOT_FOUND);
  ASSERT_EQ(NSFItemDelete(Note(), "A", 1), NOERROR);
  EXPECT_EQ(nextA(first), ERR_ITEM_NOT_FOUND);
  // The deleted value's memory stays readable until the note is closed.
  char* old = OSLockBlock(char, value);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(std::string(old + 2, 1), "1");
  OSUnlockBlock(value);
  std::strcpy(name, "unchanged");
  type = 77;
  NSFItemQuery(Note(), first, name, sizeof name, nullptr, nullptr, &type, nullptr, nullptr);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(type, TYPE_INVALID_OR_UNKNOWN);
}

TEST_F(Items, FirstItemOfTheNoteAndScanInNoteOrderSkippingWhatTheRoutineDeletes) {
  AppendText(Note(), "B", "2");
  AppendText(Note(), "A", "1");
  AppendText(Note(), "B", "3");
  WORD type = 0;
  ASSERT_EQ(NSFItemInfo(Note(), nullptr, 0, nullptr, &type, nullptr, nullptr), NOERROR);
  std::vector<std::string> seen;
  auto collect = [](WORD, WORD, char* Name, WORD NameLength, void* Value, DWORD Length,
                    void* Context) -> STATUS {
    auto* out = static_cast<std::vector<std::string>*>(Context);
    out->push_back(std::string(Name, NameLength) + "=" +
                   std::string(static_cast<char*>(Value) + 2, Length - 2));
    return NOERROR;
  };
  ASSERT_EQ(NSFItemScan(Note(), collect, &seen), NOERROR);
  EXPECT_EQ(seen, (std::vector<std::string>{"B=2", "A=1", "B=3"}));
  auto stop = [](WORD, WORD, char*, WORD, void*, DWORD, void*) -> STATUS { return 0x1234; };
  EXPECT_EQ(NSFItemScan(Note(), stop, nullptr), 0x1234);
  // The routine deletes an item still to come and adds new ones: the deleted one is skipped,
  // the added ones are not visited, and the memory of the deleted one is not touched.
  for (const char* name : {"C", "D"}) AppendText(Note(), name, name);
  struct TScan {
    NOTEHANDLE Note;
    std::vector<std::string> Seen;
  } scan{Note(), {}};
  auto routine = [](WORD, WORD, char* Name, WORD NameLength, void*, DWORD,
                    void* Context) -> STATUS {
    auto* state = static_cast<TScan*>(Context);
    state->Seen.emplace_back(Name, NameLength);
    if (state->Seen.back() == "A") {
      NSFItemDelete(state->Note, "C", 1);
      for (int i = 0; i < 8; ++i) AppendText(state->Note, "New" + std::to_string(i), "n");
    }
    return NOERROR;
  };
  ASSERT_EQ(NSFItemScan(Note(), routine, &scan), NOERROR);
  EXPECT_EQ(scan.Seen, (std::vector<std::string>{"B", "A", "B", "D"}));
}

TEST_F(Items, RichTextIsNeverSummaryAndSizesAreLimited) {
  ASSERT_EQ(NSFItemAppend(Note(), ITEM_SUMMARY, "Body", 4, TYPE_COMPOSITE, "\0\0", 2), NOERROR);
  EXPECT_EQ(runtimetest::ItemValues(Note(), "Body").at(0).Flags & ITEM_SUMMARY, 0);

  std::string big(65535, 'b');
  EXPECT_EQ(NSFItemAppend(Note(), 0, "Big", 3, TYPE_TEXT, big.data(), big.size()), NOERROR);
  big += 'c';
  EXPECT_EQ(NSFItemAppend(Note(), 0, "Big", 3, TYPE_TEXT, big.data(), big.size()),
            ERR_NOTESRT_TOO_BIG);
  EXPECT_EQ(NSFItemAppend(Note(), 0, "Rich", 4, TYPE_COMPOSITE, big.data(), big.size()), NOERROR);
  EXPECT_EQ(NSFItemAppend(Note(), 0, nullptr, 3, TYPE_TEXT, "x", 1), ERR_MISC_INVALID_ARGS);
  Reopen();
  DWORD length = 0;
  ASSERT_EQ(NSFItemInfo(Note(), "Rich", 4, nullptr, nullptr, nullptr, &length), NOERROR);
  EXPECT_EQ(length, big.size() + 2);
}

TEST_F(Items, GetTextKeepsLineBreaksAndCutsWholeCharacters) {
  AppendText(Note(), "Lines", std::string("one\0two", 7));
  char buffer[32];
  EXPECT_EQ(NSFItemGetText(Note(), "Lines", buffer, sizeof buffer), 7);
  EXPECT_EQ(std::string(buffer, 8), std::string("one\0two\0", 8));
  EXPECT_EQ(NSFItemGetText(Note(), "Lines", buffer, 4), 3);
  EXPECT_STREQ(buffer, "one");

  char lmbcs[64];
  WORD length =
      OSTranslate(OS_TRANSLATE_UTF8_TO_LMBCS, "a\xC3\xBC\xE6\x97\xA5", 6, lmbcs, sizeof lmbcs);
  AppendText(Note(), "Wide", std::string(lmbcs, length));
  for (WORD size = 1; size <= length + 1; ++size) {
    std::memset(buffer, 0x7F, sizeof buffer);
    WORD got = NSFItemGetText(Note(), "Wide", buffer, size);
    EXPECT_LT(got, size);
    EXPECT_EQ(buffer[got], '\0');
    EXPECT_EQ(buffer[size], 0x7F) << "wrote past the buffer";
    char utf8[64];
    WORD back = OSTranslate(OS_TRANSLATE_LMBCS_TO_UTF8, buffer, got, utf8, sizeof utf8);
    EXPECT_EQ(std::string(utf8, back), std::string("a\xC3\xBC\xE6\x97\xA5", 6).substr(0, back));
  }
  EXPECT_EQ(NSFItemGetText(Note(), "Missing", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

// A damaged list has no entries; a number or time written twice under one name is one item;
// a time item is summary.
TEST_F(Items, TextListsNumbersAndTimes) {
  AppendItem(Note(), "L", TYPE_TEXT_LIST, runtimetest::TextListValue({"one", "tw"}));
  EXPECT_EQ(NSFItemGetTextListEntries(Note(), "L"), 2);
  char entry[8];
  EXPECT_EQ(NSFItemGetTextListEntry(Note(), "L", 1, entry, sizeof entry - 1), 2);
  EXPECT_STREQ(entry, "tw");
  EXPECT_EQ(NSFItemGetTextListEntry(Note(), "L", 2, entry, sizeof entry - 1), 0);
  EXPECT_EQ(NSFItemGetText(Note(), "L", entry, sizeof entry), 3);
  AppendItem(Note(), "Bad", TYPE_TEXT_LIST, std::string("\x09\x00\x03\x00", 4));
  EXPECT_EQ(NSFItemGetTextListEntries(Note(), "Bad"), 0);
  EXPECT_EQ(NSFItemGetTextListEntry(Note(), "Bad", 5, entry, sizeof entry - 1), 0);
  NUMBER number = 2.5, read = 0;
  ASSERT_EQ(NSFItemSetNumber(Note(), "N", &number), NOERROR);
  number = 7.25;
  ASSERT_EQ(NSFItemSetNumber(Note(), "n", &number), NOERROR);
  EXPECT_TRUE(NSFItemGetNumber(Note(), "N", &read));
  EXPECT_EQ(read, 7.25);
  EXPECT_FALSE(NSFItemGetNumber(Note(), "L", &read));
  EXPECT_FALSE(NSFItemGetNumber(Note(), "Missing", &read));
  TIMEDATE when{{123, 2460000}}, back{};
  ASSERT_EQ(NSFItemSetTime(Note(), "T", &when), NOERROR);
  EXPECT_TRUE(NSFItemGetTime(Note(), "T", &back));
  EXPECT_EQ(std::memcmp(&when, &back, sizeof when), 0);
  EXPECT_FALSE(NSFItemGetTime(Note(), "N", &back));
  EXPECT_EQ(runtimetest::ItemValues(Note(), "T").at(0).Flags & ITEM_SUMMARY, ITEM_SUMMARY);
}

TEST_F(Items, ModifiedTimeIsKeptPerItem) {
  AppendText(Note(), "A", "1");
  TIMEDATE changed{};
  ASSERT_EQ(NSFItemGetModifiedTime(Note(), "A", MAXWORD, 0, &changed), NOERROR);
  EXPECT_NE(changed.Innards[1], 0u);
  Reopen();
  TIMEDATE stored{};
  ASSERT_EQ(NSFItemGetModifiedTime(Note(), "a", 1, 0, &stored), NOERROR);
  EXPECT_EQ(std::memcmp(&changed, &stored, sizeof stored), 0);
  EXPECT_EQ(NSFItemGetModifiedTime(Note(), "B", 1, 0, &stored), ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(NSFItemGetModifiedTime(NULLHANDLE, "A", 1, 0, &stored), NOERROR);
  EXPECT_EQ(stored.Innards[1], 0u);
}

TEST_F(Items, EachTypeHasItsTextFormAndValueBlockIdsConvertWithinTheirLength) {
  AppendItem(Note(), "N", TYPE_NUMBER, runtimetest::Raw(NUMBER{0.1}), 0);
  EXPECT_EQ(Convert("N"), "0.1");
  AppendItem(Note(), "L", TYPE_TEXT_LIST, runtimetest::TextListValue({"a", "bc"}), 0);
  EXPECT_EQ(Convert("L", ','), "a,bc");
  std::string range("\x02\x00\x00\x00", 4);
  for (NUMBER value : {1.5, -2.0}) range += runtimetest::Raw(value);
  AppendItem(Note(), "R", TYPE_NUMBER_RANGE, range, 0);
  EXPECT_EQ(Convert("R"), "1.5;-2");
  TIME local{2024, 3, 9, 0, 14, 5, 6, 0, 0, 0, {}};
  OSCurrentTimeZone(&local.zone, &local.dst);
  ASSERT_FALSE(TimeLocalToGM(&local));
  ASSERT_EQ(NSFItemSetTime(Note(), "T", &local.GM), NOERROR);
  {
    vesktest::ScopedLocale locale("C");  // its documented date and time formats
    EXPECT_EQ(Convert("T"), "03/09/2024 14:05:06");
  }
  EXPECT_EQ(Convert("Missing"), "");
  EXPECT_EQ(Convert("L", ',', 3), "a,");
  // A value's BLOCKID converts within the length given.
  AppendItem(Note(), "V", TYPE_TEXT_LIST, runtimetest::TextListValue({"a", "b"}), 0);
  BLOCKID value{};
  DWORD length = 0;
  WORD type = 0;
  ASSERT_EQ(NSFItemInfo(Note(), "V", 1, nullptr, &type, &value, &length), NOERROR);
  char text[16];
  EXPECT_EQ(NSFItemConvertValueToText(type, value, length, text, sizeof text, '|'), 3);
  EXPECT_STREQ(text, "a|b");
  EXPECT_EQ(NSFItemConvertValueToText(type, value, 1000, text, sizeof text, '|'), 3);
  EXPECT_EQ(NSFItemConvertValueToText(type, BLOCKID{}, length, text, sizeof text, '|'), 0);
}

}  // namespace
