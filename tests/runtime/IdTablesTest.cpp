#include <gtest/gtest.h>

#include <vector>

#include "RuntimeFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/notesrterr.h"
#include "notesapi/osmem.h"

namespace {

class IdTables : public runtimetest::RuntimeTest {
 protected:
  DHANDLE NewTable(std::initializer_list<NOTEID> Ids) {
    DHANDLE table = NULLHANDLE;
    EXPECT_EQ(IDCreateTable(sizeof(NOTEID), &table), NOERROR);
    for (NOTEID id : Ids) EXPECT_EQ(IDInsert(table, id, nullptr), NOERROR);
    return table;
  }

  static std::vector<NOTEID> Scan(DHANDLE Table) {
    std::vector<NOTEID> ids;
    DWORD id = 0;
    for (BOOL first = TRUE; IDScan(Table, first, &id); first = FALSE) ids.push_back(id);
    return ids;
  }
};

using TIds = std::vector<NOTEID>;

}  // namespace

TEST_F(IdTables, ScanIsInAscendingOrder) {
  DHANDLE table = NewTable({0x8F6, 0x10, RRV_DELETED | 0x20, 0x4});
  EXPECT_EQ(Scan(table), (TIds{0x4, 0x10, 0x8F6, RRV_DELETED | 0x20}));
  EXPECT_EQ(IDEntries(table), 4u);
  EXPECT_EQ(IDDestroyTable(table), NOERROR);
}

TEST_F(IdTables, InsertAndDeleteReportWhetherTheyChangedTheTable) {
  DHANDLE table = NewTable({});
  BOOL changed = FALSE;
  EXPECT_EQ(IDInsert(table, 7, &changed), NOERROR);
  EXPECT_TRUE(changed);
  EXPECT_EQ(IDInsert(table, 7, &changed), NOERROR);
  EXPECT_FALSE(changed);
  EXPECT_EQ(IDEntries(table), 1u);
  EXPECT_TRUE(IDIsPresent(table, 7));
  EXPECT_FALSE(IDIsPresent(table, 8));
  EXPECT_EQ(IDDelete(table, 8, &changed), NOERROR);
  EXPECT_FALSE(changed);
  EXPECT_EQ(IDDelete(table, 7, &changed), NOERROR);
  EXPECT_TRUE(changed);
  EXPECT_EQ(IDDelete(table, 7, nullptr), NOERROR);
  EXPECT_FALSE(IDScan(table, TRUE, nullptr));
  DWORD id = 0;
  EXPECT_FALSE(IDScan(table, TRUE, &id));
  IDDestroyTable(table);
}

TEST_F(IdTables, CopiesAreIndependent) {
  DHANDLE table = NewTable({1, 2, 3});
  DHANDLE copy = NULLHANDLE;
  ASSERT_EQ(IDTableCopy(table, &copy), NOERROR);
  ASSERT_NE(copy, table);
  IDDelete(copy, 2, nullptr);
  IDInsert(table, 4, nullptr);
  EXPECT_EQ(Scan(table), (TIds{1, 2, 3, 4}));
  EXPECT_EQ(Scan(copy), (TIds{1, 3}));
  EXPECT_EQ(IDDeleteAll(table), NOERROR);
  EXPECT_EQ(IDEntries(table), 0u);
  EXPECT_EQ(IDEntries(copy), 2u);
  IDDestroyTable(table);
  IDDestroyTable(copy);
}

// Notes' ID tables are memory objects, so a caller may free one with OSMemFree.
TEST_F(IdTables, MemFreeDestroysATable) {
  DHANDLE table = NewTable({5});
  EXPECT_EQ(OSMemFree(table), NOERROR);
  EXPECT_FALSE(IDIsPresent(table, 5));
  EXPECT_EQ(IDDestroyTable(table), ERR_NOTESRT_INVALID_HANDLE);
}
