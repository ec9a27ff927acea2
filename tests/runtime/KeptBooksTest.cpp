// Address books kept open between lookups: a book replaced or deleted on disk behind the
// runtime's back is let go, and NotesTerm closes every kept file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "NameLookupFixture.h"
#include "notesapi/niferr.h"

namespace {

using runtimetest::DbRef;
using Strings = std::vector<std::string>;

class KeptBooks : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    NewDatabase("names.nsf");
    DbRef book("names.nsf");
    AddPerson(book.Get(), "John", "Doe");
  }

  // Whether this process has a file open whose path begins with the book's path (its journal
  // files included): one on disk, or one deleted or replaced since it was opened.
  bool BookFileOpen(bool Gone = false) const {
    const std::string book = std::filesystem::weakly_canonical(FileOf("names.nsf")).string();
    const std::string deleted = " (deleted)";
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
      const bool isGone =
          target.size() > deleted.size() &&
          target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0;
      if (!error && target.rfind(book, 0) == 0 && isGone == Gone) return true;
    }
    return false;
  }
};

TEST_F(KeptBooks, ABookReplacedOrDeletedOnDiskIsLetGo) {
  const struct {
    const char* Name;
    bool Replace;  // else the book is deleted
  } cases[] = {{"replaced by a book with other people", true}, {"deleted", false}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.Name);
    std::filesystem::remove(FileOf("names.nsf"));
    std::filesystem::remove(FileOf("other.nsf"));
    NewDatabase("names.nsf");
    {
      DbRef book("names.nsf");
      AddPerson(book.Get(), "John", "Doe");
    }
    ASSERT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
    ASSERT_TRUE(BookFileOpen()) << "the book is not kept between lookups";
    if (each.Replace) {
      NewDatabase("other.nsf");
      {
        DbRef other("other.nsf");
        AddPerson(other.Get(), "Mary", "Major");
      }
      // As another program replaces a file: the new one renamed over the old.
      std::filesystem::rename(FileOf("other.nsf"), FileOf("names.nsf"));
    } else {
      std::filesystem::remove(FileOf("names.nsf"));
    }
    if (each.Replace) {
      EXPECT_EQ(Find("John Doe"), Strings{});
      EXPECT_EQ(Find("Mary Major"), Strings{"CN=Mary Major/O=Acme"});
    } else {
      runtimetest::TLookupResult result;
      EXPECT_EQ(Lookup("", 0, {"$Users"}, {"John Doe"}, {"FullName"}, result), ERR_NO_NAMES_FILE);
    }
    EXPECT_FALSE(BookFileOpen(true)) << "the old book is still open";
    if (!each.Replace) {
      EXPECT_FALSE(BookFileOpen()) << "a deleted book's journal is still open";
    }
  }
}

TEST_F(KeptBooks, NotesTermClosesEveryKeptBook) {
  ASSERT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
  ASSERT_TRUE(BookFileOpen());
  NotesTerm();
  EXPECT_FALSE(BookFileOpen());
  EXPECT_FALSE(BookFileOpen(true));
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(Find("John Doe"), Strings{"CN=John Doe/O=Acme"});
}

}  // namespace
