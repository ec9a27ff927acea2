#include <gtest/gtest.h>

#include <cstring>

#include "RuntimeFixture.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/pool.h"

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

}  // namespace

TEST_F(Memory, LocksAreCountedAndBlockTheFree) {
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
}

TEST_F(Memory, BadSizesFailWithAStatusAndNoHandle) {
  DHANDLE handle = 1234;
  EXPECT_EQ(OSMemAlloc(0, 0, &handle), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(handle, NULLHANDLE);
  handle = 1234;
  EXPECT_EQ(OSMemAlloc(0, MAXDWORD, &handle), ERR_MEMORY);
  EXPECT_EQ(handle, NULLHANDLE);
  EXPECT_EQ(OSMemAlloc(0, 10, nullptr), ERR_MISC_INVALID_ARGS);
}

// A note's pool or a list the runtime took over: callers may read it but not free or move it.
TEST_F(Memory, RuntimeOwnedBlocksAreRefusedHarmlessly) {
  DHANDLE handle = notesrt::TMemoryBlock::Allocate(32, true);
  EXPECT_NE(OSLockObject(handle), nullptr);
  OSUnlockObject(handle);
  EXPECT_EQ(OSMemFree(handle), ERR_NOTESRT_RUNTIME_OWNED);
  EXPECT_EQ(OSMemRealloc(handle, 64), ERR_NOTESRT_RUNTIME_OWNED);
  EXPECT_NE(OSLockObject(handle), nullptr);
  OSUnlockObject(handle);
  EXPECT_TRUE(notesrt::THandleTable::Instance().Remove(handle, NOTESRT_HANDLE_MEMORY));
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
