// Every function that takes a handle answers a zero, freed or wrong-kind handle with an error,
// never a crash.
#include <gtest/gtest.h>

#include "RuntimeFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/notesrt.h"
#include "notesapi/osmem.h"
#include "notesapi/textlist.h"

namespace {

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

}  // namespace

// A freed handle stays invalid, also after its slot is used again.
TEST_F(StaleHandles, ZeroFreedAndArbitraryValues) {
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
}

TEST_F(StaleHandles, WrongKindOfHandle) {
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
