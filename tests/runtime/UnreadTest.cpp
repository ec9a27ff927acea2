// Unread tables: created with every document unread, kept current, changed by difference.
#include <gtest/gtest.h>

#include <cstring>

#include "StorageFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/osmem.h"

namespace {

using runtimetest::DbRef;
using runtimetest::NoteRef;

// The new note of the fixture is not saved: only its database is used.
class Unread : public runtimetest::NewNoteTest {
 protected:
  DHANDLE Table(const char* User, BOOL Create = TRUE) {
    DHANDLE table = NULLHANDLE;
    EXPECT_EQ(NSFDbGetUnreadNoteTable(FDb->Get(), const_cast<char*>(User),
                                      static_cast<WORD>(std::strlen(User)), Create, &table),
              NOERROR);
    return table;
  }

  std::set<NOTEID> Ids(const char* User) {
    DHANDLE table = Table(User);
    std::set<NOTEID> ids;
    DWORD id = 0;
    for (BOOL first = TRUE; IDScan(table, first, &id); first = FALSE) ids.insert(id);
    IDDestroyTable(table);
    return ids;
  }
};

TEST_F(Unread, NewTableHoldsEveryDocumentAndStaysCurrent) {
  NOTEID a = SaveDocument(FDb->Get(), "a"), b = SaveDocument(FDb->Get(), "b");
  EXPECT_EQ(Table("CN=Nobody/O=Acme", FALSE), NULLHANDLE);
  EXPECT_EQ(Ids("CN=Jo/O=Acme"), (std::set<NOTEID>{a, b}));
  NOTEID c = SaveDocument(FDb->Get(), "c");
  ASSERT_EQ(NSFNoteDelete(FDb->Get(), a, 0), NOERROR);
  EXPECT_EQ(Ids("cn=jo/o=acme"), (std::set<NOTEID>{b, c}));
  EXPECT_EQ(Ids("Jo/Acme"), (std::set<NOTEID>{b, c}));
}

TEST_F(Unread, ChangesApplyAsADifferenceAndPersist) {
  NOTEID a = SaveDocument(FDb->Get(), "a"), b = SaveDocument(FDb->Get(), "b");
  DHANDLE working = Table("CN=Jo/O=Acme");
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  DHANDLE original = NULLHANDLE;
  ASSERT_EQ(IDTableCopy(working, &original), NOERROR);
  IDDelete(working, a, nullptr);
  // Marked read elsewhere meanwhile: the difference leaves it alone.
  NOTEID c = SaveDocument(FDb->Get(), "c");
  char user[] = "CN=Jo/O=Acme";
  ASSERT_EQ(NSFDbSetUnreadNoteTable(FDb->Get(), user, sizeof user - 1, FALSE, original, working),
            NOERROR);
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  EXPECT_FALSE(IDIsPresent(working, a));
  EXPECT_TRUE(IDIsPresent(working, c));
  ASSERT_EQ(NSFNoteDelete(FDb->Get(), c, 0), NOERROR);  // deleted documents leave the table
  ASSERT_EQ(NSFDbUpdateUnread(FDb->Get(), working), NOERROR);
  EXPECT_FALSE(IDIsPresent(working, c));
  IDDestroyTable(original);
  IDDestroyTable(working);
  FDb.reset();
  FDb = std::make_unique<DbRef>("test.nsf");
  EXPECT_EQ(Ids("CN=Jo/O=Acme"), (std::set<NOTEID>{b}));
  EXPECT_EQ(Ids("CN=Other/O=Acme"), (std::set<NOTEID>{a, b}));
}

}  // namespace
