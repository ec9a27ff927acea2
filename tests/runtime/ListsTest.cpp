#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RuntimeFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/textlist.h"

namespace {

class Lists : public runtimetest::RuntimeTest {
 protected:
  // An empty list, unlocked at once as the object library does.
  DHANDLE NewList(BOOL Prefixed, WORD* Size) {
    DHANDLE handle = NULLHANDLE;
    void* list = nullptr;
    EXPECT_EQ(ListAllocate(0, 0, Prefixed, &handle, &list, Size), NOERROR);
    OSUnlockObject(handle);
    return handle;
  }

  std::vector<std::string> Entries(DHANDLE List, BOOL Prefixed) {
    const void* list = OSLockObject(List);
    std::vector<std::string> entries;
    for (WORD i = 0; i < ListGetNumEntries(list, Prefixed); ++i) {
      char* text = nullptr;
      WORD length = 0;
      EXPECT_EQ(ListGetText(list, Prefixed, i, &text, &length), NOERROR);
      entries.emplace_back(text, length);
    }
    OSUnlockObject(List);
    return entries;
  }

  void Add(DHANDLE List, BOOL Prefixed, WORD* Size, WORD At, const std::string& Text) {
    EXPECT_EQ(ListAddEntry(List, Prefixed, Size, At, Text.data(), static_cast<WORD>(Text.size())),
              NOERROR);
  }
};

using TEntries = std::vector<std::string>;

}  // namespace

// Empty lists are the next test's.
TEST_F(Lists, AllocateReturnsALockedListWithRoomForItsEntries) {
  DHANDLE handle = NULLHANDLE;
  void* list = nullptr;
  WORD size = 0;
  ASSERT_EQ(ListAllocate(3, 10, TRUE, &handle, &list, &size), NOERROR);
  EXPECT_EQ(size, 2 + 2 + 3 * 2 + 10);
  WORD typeWord;
  std::memcpy(&typeWord, list, sizeof typeWord);
  EXPECT_EQ(typeWord, TYPE_TEXT_LIST);
  EXPECT_EQ(ListGetNumEntries(list, TRUE), 3);
  EXPECT_EQ(OSMemFree(handle), ERR_NOTESRT_LOCKED);
  EXPECT_TRUE(OSUnlockObject(handle));
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(Lists, EntriesGoInAtTheirNumberAndLeaveNoGap) {
  for (BOOL prefixed : {FALSE, TRUE}) {
    SCOPED_TRACE(prefixed ? "prefixed" : "plain");
    WORD size = 0;
    DHANDLE list = NewList(prefixed, &size);
    const WORD header = prefixed ? 4 : 2;  // a prefixed list keeps its type word
    EXPECT_EQ(size, header);
    Add(list, prefixed, &size, 0, "bb");
    Add(list, prefixed, &size, 1, "d");
    Add(list, prefixed, &size, 0, "a");  // inserting first, as mail addressing does
    Add(list, prefixed, &size, 2, "ccc");
    EXPECT_EQ(Entries(list, prefixed), (TEntries{"a", "bb", "ccc", "d"}));
    EXPECT_EQ(size, header + 4 * 2 + 7);
    EXPECT_EQ(ListGetSize(OSLockObject(list), prefixed), size);
    OSUnlockObject(list);
    EXPECT_EQ(ListRemoveEntry(list, prefixed, &size, 1), NOERROR);
    EXPECT_EQ(Entries(list, prefixed), (TEntries{"a", "ccc", "d"}));
    EXPECT_EQ(size, header + 3 * 2 + 5);
    // An entry beyond the count fails and changes nothing.
    EXPECT_EQ(ListRemoveEntry(list, prefixed, &size, 3), ERR_ODS_NO_SUCH_ENTRY);
    EXPECT_EQ(ListAddEntry(list, prefixed, &size, 4, "x", 1), ERR_ODS_NO_SUCH_ENTRY);
    EXPECT_EQ(ListAddEntry(list, prefixed, &size, 1, nullptr, 3), ERR_MISC_INVALID_ARGS);
    EXPECT_EQ(Entries(list, prefixed), (TEntries{"a", "ccc", "d"}));
    EXPECT_EQ(size, header + 3 * 2 + 5);
    OSMemFree(list);
  }
}

TEST_F(Lists, ListsStopAt65535Bytes) {
  WORD size = 0;
  DHANDLE list = NewList(FALSE, &size);
  std::string big(60000, 'b');
  Add(list, FALSE, &size, 0, big);
  DHANDLE before = list;
  std::string tooMuch(65535 - size - 2 + 1, 't');
  EXPECT_EQ(ListAddEntry(list, FALSE, &size, 1, tooMuch.data(), static_cast<WORD>(tooMuch.size())),
            ERR_SEGMENT_TOO_BIG);
  EXPECT_EQ(size, 2 + 2 + 60000);
  std::string fits(tooMuch.size() - 1, 'f');
  Add(list, FALSE, &size, 1, fits);
  EXPECT_EQ(size, 65535);
  EXPECT_EQ(list, before);
  EXPECT_EQ(Entries(list, FALSE), (TEntries{big, fits}));
  OSMemFree(list);
}

TEST_F(Lists, ReadingCopesWithOddAlignmentAndBadArguments) {
  // A prefixed list inside a summary buffer, one byte off alignment.
  const unsigned char value[] = {0x01, 0x01, 0x05, 0x02, 0x00, 0x02,
                                 0x00, 0x01, 0x00, 'h',  'i',  '!'};
  const void* list = value + 1;
  EXPECT_EQ(ListGetNumEntries(list, TRUE), 2);
  char* text = nullptr;
  WORD length = 0;
  ASSERT_EQ(ListGetText(list, TRUE, 1, &text, &length), NOERROR);
  EXPECT_EQ(std::string(text, length), "!");
  EXPECT_EQ(ListGetSize(list, TRUE), 11);
  EXPECT_EQ(ListGetText(list, TRUE, 2, &text, &length), ERR_ODS_NO_SUCH_ENTRY);
  EXPECT_EQ(ListGetText(nullptr, TRUE, 0, &text, &length), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(ListGetText(list, TRUE, 0, nullptr, nullptr), NOERROR);
  EXPECT_EQ(ListGetNumEntries(nullptr, FALSE), 0);
}
