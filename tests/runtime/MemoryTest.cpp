#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "StorageFixture.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/idtable.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/pool.h"
#include "notesapi/textlist.h"

namespace {

class Memory : public runtimetest::RuntimeTest {
 protected:
  DHANDLE Allocate(DWORD Size) {
    DHANDLE handle = NULLHANDLE;
    EXPECT_EQ(OSMemAlloc(0, Size, &handle), NOERROR);
    EXPECT_NE(handle, NULLHANDLE);
    return handle;
  }
};

// A note's pool or a list the runtime took over: callers may read it but not move it (nor free
// it: the mail message and item tests).
TEST_F(Memory, LocksAreCountedAndBlockTheFreeAndRuntimeOwnedBlocksAreRefused) {
  DHANDLE handle = Allocate(100);
  char* first = OSLock(char, handle);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OSLock(char, handle), first);
  EXPECT_EQ(OSMemFree(handle), ERR_NOTESRT_LOCKED);
  EXPECT_TRUE(OSUnlock(handle));
  EXPECT_EQ(OSMemFree(handle), ERR_NOTESRT_LOCKED);
  EXPECT_TRUE(OSUnlock(handle));
  EXPECT_FALSE(OSUnlock(handle));
  EXPECT_EQ(OSMemFree(handle), NOERROR);
  EXPECT_EQ(OSMemFree(handle), ERR_NOTESRT_INVALID_HANDLE);
  handle = notesrt::TMemoryBlock::Allocate(32, true);
  EXPECT_EQ(OSMemRealloc(handle, 64), ERR_NOTESRT_RUNTIME_OWNED);
  EXPECT_NE(OSLockObject(handle), nullptr);
  OSUnlockObject(handle);
  EXPECT_TRUE(notesrt::THandleTable::Instance().Remove(handle, NOTESRT_HANDLE_MEMORY));
}

TEST_F(Memory, NewMemoryIsZeroedAndReallocKeepsTheContentsButNotWhileLocked) {
  DHANDLE handle = Allocate(4);
  char* fresh = OSLock(char, handle);
  EXPECT_EQ(std::count(fresh, fresh + 4, '\0'), 4);
  std::memcpy(fresh, "abcd", 4);
  EXPECT_EQ(OSMemRealloc(handle, 1000), ERR_NOTESRT_LOCKED);
  OSUnlock(handle);
  EXPECT_EQ(OSMemRealloc(handle, 1000), NOERROR);
  DWORD size = 0;
  EXPECT_EQ(OSMemGetSize(handle, &size), NOERROR);
  EXPECT_EQ(size, 1000u);
  const char* bytes = OSLock(char, handle);
  EXPECT_EQ(std::string(bytes, 4), "abcd");
  EXPECT_EQ(bytes[999], '\0');
  OSUnlock(handle);
  EXPECT_EQ(OSMemRealloc(handle, 0), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(OSMemFree(handle), NOERROR);
  // Bad sizes: a status and no handle.
  for (DWORD size : {DWORD{0}, MAXDWORD}) {
    handle = 1234;
    EXPECT_EQ(OSMemAlloc(0, size, &handle), size ? ERR_MEMORY : ERR_MISC_INVALID_ARGS);
    EXPECT_EQ(handle, NULLHANDLE);
  }
  EXPECT_EQ(OSMemAlloc(0, 10, nullptr), ERR_MISC_INVALID_ARGS);
}

// HCOLLECTION is a WORD: the table must hand out collection handles that fit 16 bits.
TEST_F(Memory, CollectionHandlesFitSixteenBits) {
  struct TCollection : notesrt::THandleObject {
    WORD Kind() const override { return NOTESRT_HANDLE_COLLECTION; }
  };
  notesrt::THandleTable& table = notesrt::THandleTable::Instance();
  std::vector<DHANDLE> handles;
  for (int i = 0; i < 300; ++i) handles.push_back(table.Add(std::make_unique<TCollection>()));
  for (DHANDLE handle : handles) {
    EXPECT_LE(handle, 0xFFFFu);
    EXPECT_NE(handle, NULLHANDLE);
    EXPECT_EQ(table.Find(handle, NOTESRT_HANDLE_MEMORY), nullptr);
  }
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COLLECTION), 300u);
  DHANDLE stale = handles.front();
  for (DHANDLE handle : handles) EXPECT_TRUE(table.Remove(handle, NOTESRT_HANDLE_COLLECTION));
  EXPECT_EQ(table.Find(stale, NOTESRT_HANDLE_COLLECTION), nullptr);
}

using TIds = std::vector<NOTEID>;
using runtimetest::TableIds;

// Inserts and deletes say whether they changed the table; a scan is in ascending order, deleted
// IDs (the high bit) last; a copy is a table of its own.
TEST_F(Memory, IdTablesChangesAreReportedScansAscendAndCopiesAreIndependent) {
  DHANDLE table = NULLHANDLE, copy = NULLHANDLE;
  ASSERT_EQ(IDCreateTable(sizeof(NOTEID), &table), NOERROR);
  for (NOTEID id : {NOTEID{0x8F6}, NOTEID{0x10}, RRV_DELETED | 0x20, NOTEID{0x4}}) {
    BOOL changed = FALSE;
    EXPECT_EQ(IDInsert(table, id, &changed), NOERROR);
    EXPECT_TRUE(changed);
  }
  BOOL changed = TRUE;
  EXPECT_EQ(IDInsert(table, 0x10, &changed), NOERROR);
  EXPECT_FALSE(changed);
  EXPECT_EQ(TableIds(table), (TIds{0x4, 0x10, 0x8F6, RRV_DELETED | 0x20}));
  EXPECT_EQ(IDDelete(table, 8, &changed), NOERROR);
  EXPECT_FALSE(changed);
  EXPECT_EQ(IDDelete(table, 0x10, &changed), NOERROR);
  EXPECT_TRUE(changed);
  EXPECT_FALSE(IDIsPresent(table, 0x10));
  EXPECT_TRUE(IDIsPresent(table, 0x8F6));
  ASSERT_EQ(IDTableCopy(table, &copy), NOERROR);
  ASSERT_NE(copy, table);
  IDDelete(copy, 0x4, nullptr);
  IDInsert(table, 0x100, nullptr);
  EXPECT_EQ(TableIds(table), (TIds{0x4, 0x100, 0x8F6, RRV_DELETED | 0x20}));
  EXPECT_EQ(TableIds(copy), (TIds{0x8F6, RRV_DELETED | 0x20}));
  EXPECT_EQ(IDDeleteAll(table), NOERROR);
  EXPECT_EQ(IDEntries(table), 0u);
  EXPECT_FALSE(IDScan(table, TRUE, nullptr));
  EXPECT_EQ(IDEntries(copy), 2u);
  EXPECT_EQ(IDDestroyTable(table), NOERROR);
  // Notes' ID tables are memory objects, so a caller may free one with OSMemFree.
  EXPECT_EQ(OSMemFree(copy), NOERROR);
  EXPECT_EQ(IDDestroyTable(copy), ERR_NOTESRT_INVALID_HANDLE);
}

// Every function that takes a handle answers a zero, freed or wrong-kind handle with an error,
// never a crash.
class StaleHandles : public runtimetest::RuntimeTest {
 protected:
  static DHANDLE FreedMemory() {
    DHANDLE handle = NULLHANDLE;
    OSMemAlloc(0, 8, &handle);
    OSMemFree(handle);
    return handle;
  }

  static DHANDLE FreedTable() {
    DHANDLE table = NULLHANDLE;
    IDCreateTable(0, &table);
    IDDestroyTable(table);
    return table;
  }

  static void ExpectMemoryCallsFail(DHANDLE Handle) {
    DWORD size = 77;
    WORD listSize = 0;
    EXPECT_EQ(OSMemFree(Handle), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(OSMemGetSize(Handle, &size), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(size, 77u);
    EXPECT_EQ(OSMemRealloc(Handle, 16), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(OSLockObject(Handle), nullptr);
    EXPECT_FALSE(OSUnlockObject(Handle));
    EXPECT_EQ(ListAddEntry(Handle, FALSE, &listSize, 0, "a", 1), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(ListRemoveEntry(Handle, FALSE, &listSize, 0), ERR_NOTESRT_INVALID_HANDLE);
  }

  static void ExpectTableCallsFail(DHANDLE Handle) {
    DWORD id = 5;
    DHANDLE copy = 99;
    EXPECT_EQ(IDDestroyTable(Handle), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(IDInsert(Handle, 1, nullptr), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(IDDelete(Handle, 1, nullptr), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(IDDeleteAll(Handle), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_FALSE(IDIsPresent(Handle, 1));
    EXPECT_FALSE(IDScan(Handle, TRUE, &id));
    EXPECT_EQ(id, 5u);
    EXPECT_EQ(IDTableCopy(Handle, &copy), ERR_NOTESRT_INVALID_HANDLE);
    EXPECT_EQ(copy, NULLHANDLE);
    EXPECT_EQ(IDEntries(Handle), 0u);
  }
};

// A freed handle stays invalid, also after its slot is used again.
TEST_F(StaleHandles, ZeroFreedArbitraryAndWrongKindValues) {
  DHANDLE stale = FreedMemory();
  for (int i = 0; i < 10; ++i) {
    DHANDLE reused = NULLHANDLE;
    OSMemAlloc(0, 8, &reused);
    ASSERT_NE(reused, stale);
    ExpectMemoryCallsFail(stale);
    OSMemFree(reused);
  }
  ExpectTableCallsFail(FreedTable());
  for (DHANDLE value :
       {DHANDLE{NULLHANDLE}, DHANDLE{1}, DHANDLE{0xFFFF}, DHANDLE{0x12345678}, MAXDWORD}) {
    ExpectMemoryCallsFail(value);
    ExpectTableCallsFail(value);
  }
  // A live handle of the other kind.
  DHANDLE table = NULLHANDLE, memory = NULLHANDLE;
  ASSERT_EQ(IDCreateTable(0, &table), NOERROR);
  ASSERT_EQ(OSMemAlloc(0, 8, &memory), NOERROR);
  DWORD size = 0;
  EXPECT_EQ(OSMemGetSize(table, &size), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(OSLockObject(table), nullptr);
  EXPECT_EQ(OSMemRealloc(table, 16), ERR_NOTESRT_INVALID_HANDLE);
  ExpectTableCallsFail(memory);
  EXPECT_EQ(IDDestroyTable(table), NOERROR);
  EXPECT_EQ(OSMemFree(memory), NOERROR);
}

TEST_F(StaleHandles, HandlesFromBeforeNotesTerm) {
  DHANDLE memory = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 8, &memory), NOERROR);
  NotesTerm();
  ASSERT_EQ(NotesInit(), NOERROR);
  ExpectMemoryCallsFail(memory);
}

// Text lists in memory blocks, as mail addressing builds them.
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

}  // namespace
