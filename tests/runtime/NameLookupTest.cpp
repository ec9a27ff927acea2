// NAMELookup: which keys find a person or group, the search flags, several address books and
// server books, and the key index following every save and deletion. The result through its
// locator functions, pointers or buffers that are not what they expect; the list of books.
#include <gtest/gtest.h>

#include <cstring>

#include "NameLookupFixture.h"
#include "notesapi/clerr.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"

namespace {

using runtimetest::DbRef;
using runtimetest::LockedLookup;
using runtimetest::NoteRef;
using runtimetest::TLookupResult;
using Strings = std::vector<std::string>;

class NameLookup : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    NewDatabase("names.nsf");
  }
};

TEST_F(NameLookup, RecordsComeNameSpaceByNameInOrder) {
  DbRef book("names.nsf");
  AddPerson(book.Get(), "Ann", "Lee");
  AddGroup(book.Get(), "Ann", {"Ann Lee"});
  TLookupResult result;
  ASSERT_EQ(Lookup("", 0, {"$Users", "$Groups"}, {"ann", "nobody", "lee"}, {"Type"}, result),
            NOERROR);
  ASSERT_EQ(result.size(), 6u);
  const std::vector<size_t> counts = {2, 0, 1, 1, 0, 0};
  for (size_t record = 0; record < counts.size(); ++record)
    EXPECT_EQ(result[record].size(), counts[record]) << record;
  EXPECT_EQ(result[0][0][0], Strings{"Person"});
  EXPECT_EQ(result[0][1][0], Strings{"Group"});
  EXPECT_EQ(result[3][0][0], Strings{"Group"});
}

TEST_F(NameLookup, IndexFollowsEverySaveAndDeletion) {
  DbRef book("names.nsf");
  NOTEID id = AddPerson(book.Get(), "Paul", "Old");
  {
    NoteRef note;
    ASSERT_EQ(NSFNoteOpen(book.Get(), id, 0, note.Out()), NOERROR);
    ASSERT_EQ(NSFItemDelete(note.Get(), "LastName", 8), NOERROR);
    AppendText(note.Get(), "LastName", "New");
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }
  EXPECT_EQ(Find("old"), Strings());
  EXPECT_EQ(Find("Paul New", 0, "LastName"), Strings{"New"});
  {
    NoteRef note;
    ASSERT_EQ(NSFNoteOpen(book.Get(), id, 0, note.Out()), NOERROR);
    ASSERT_EQ(NSFItemDelete(note.Get(), "Form", 4), NOERROR);
    ASSERT_EQ(NSFItemDelete(note.Get(), "Type", 4), NOERROR);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }
  EXPECT_EQ(Find("paul"), Strings());
  EXPECT_EQ(Find("", NAME_LOOKUP_ALL), Strings());
  NOTEID other = AddPerson(book.Get(), "Rita", "Gone");
  ASSERT_EQ(Find("rita").size(), 1u);
  ASSERT_EQ(NSFNoteDelete(book.Get(), other, 0), NOERROR);
  EXPECT_EQ(Find("rita"), Strings());
  EXPECT_EQ(Find("", NAME_LOOKUP_ALL), Strings());
}

class SeveralBooks : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    NewDatabase("first.nsf");
    NewDatabase("second.nsf");
    OSSetEnvironmentVariable("NAMES", " first.nsf , missing.nsf,second.nsf ");
    DbRef first("first.nsf"), second("second.nsf");
    AddPerson(first.Get(), "Anna", "First", {{"CompanyName", {"One"}}});
    AddPerson(second.Get(), "Anna", "Second", {{"CompanyName", {"Two"}}});
    AddPerson(second.Get(), "Ben", "Second", {{"CompanyName", {"Two"}}});
  }
};

TEST_F(SeveralBooks, SearchStopsAtTheFirstBookWithAMatchUnlessTheFlagsSayOtherwise) {
  EXPECT_EQ(Find("anna", 0, "CompanyName"), Strings{"One"});
  EXPECT_EQ(Find("ben", 0, "CompanyName"), Strings{"Two"});
  EXPECT_EQ(Find("anna", NAME_LOOKUP_EXHAUSTIVE, "CompanyName"), (Strings{"One", "Two"}));
  EXPECT_EQ(Find("", NAME_LOOKUP_ALL | NAME_LOOKUP_EXHAUSTIVE, "CompanyName"),
            (Strings{"One", "Two", "Two"}));
  // Without searching, only the first book is looked in.
  EXPECT_EQ(Find("ben", NAME_LOOKUP_NOSEARCHING), Strings());
  EXPECT_EQ(Find("", NAME_LOOKUP_ALL | NAME_LOOKUP_NOSEARCHING, "CompanyName"), Strings{"One"});
  OSSetEnvironmentVariable("NAMES", "missing.nsf");
  TLookupResult result;
  EXPECT_EQ(Lookup("", 0, {"$Users"}, {"anna"}, {"FullName"}, result), ERR_NO_NAMES_FILE);
}

TEST_F(NameLookup, ServerBooksAreTheServersNamesFileAndBadRequestsAreRefused) {
  std::filesystem::path servers = FEnv.Root() / "servers";
  std::filesystem::create_directories(servers / "CN=HUB%2FO=ACME");
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, servers.c_str());
  ASSERT_EQ(NSFDbCreate("CN=Hub/O=Acme!!names.nsf", DBCLASS_NOTEFILE, FALSE), NOERROR);
  AddPerson(DbRef("Hub/Acme!!names.nsf").Get(), "Sam", "Server");
  TLookupResult result;
  ASSERT_EQ(Lookup("Hub/Acme", 0, {"$Users"}, {"sam"}, {"LastName"}, result), NOERROR);
  EXPECT_EQ(result[0][0][0], Strings{"Server"});
  EXPECT_EQ(Find("sam"), Strings());
  EXPECT_EQ(Lookup("Elsewhere/Acme", 0, {"$Users"}, {"sam"}, {}, result),
            ERR_SERVER_NOT_RESPONDING);
  EXPECT_EQ(Lookup("", 0, {"People"}, {"x"}, {}, result), ERR_NO_SUCH_NAMESPACE);
  EXPECT_EQ(Lookup("", 0, {"$Users"}, {}, {}, result), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(Lookup("", 0, {}, {"x"}, {}, result), ERR_MISC_INVALID_ARGS);
  DHANDLE handle = NULLHANDLE;
  EXPECT_EQ(NAMELookup(nullptr, 0, 1, "$Users", 1, nullptr, 0, nullptr, &handle),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NAMELookup(nullptr, 0, 1, "$Users", 1, "x", 0, nullptr, nullptr),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(handle, NULLHANDLE);
}

// Nothing else reads these designs back: the runtime's lookups do not use the views.
TEST_F(NameLookup, TheAddressBookTemplateMakesBooksWithTheirViewsAndForms) {
  CopyDatabase("pubnames.ntf", "people.nsf");
  DbRef book("people.nsf");
  NOTEID id = 0;
  for (const char* view : {"$Users", "($Users)", "$Groups", "($Groups)|$Groups"})
    EXPECT_EQ(NIFFindDesignNote(book.Get(), view, NOTE_CLASS_VIEW, &id), NOERROR) << view;
  for (const char* form : {"Person", "Group"})
    EXPECT_EQ(NIFFindDesignNote(book.Get(), form, NOTE_CLASS_FORM, &id), NOERROR) << form;
}

class NameLookupBuffer : public runtimetest::NameLookupTest {
 protected:
  void SetUp() override {
    NameLookupTest::SetUp();
    NewDatabase("names.nsf");
    DbRef book("names.nsf");
    AddPerson(book.Get(), "Eve", "Long", {{"ShortName", {"eve"}}, {"MailDomain", {"A", "B", ""}}});
    NoteRef note;
    ASSERT_EQ(NSFNoteCreate(book.Get(), note.Out()), NOERROR);
    AppendText(note.Get(), "Form", "Person");
    AppendText(note.Get(), "ShortName", "eve");
    NUMBER number = 42.5;
    ASSERT_EQ(NSFItemSetNumber(note.Get(), "Level", &number), NOERROR);
    // A later item of the same name, in other letters: the first one is found.
    NUMBER later = 7;
    ASSERT_EQ(NSFItemAppend(note.Get(), 0, "LEVEL", 5, TYPE_NUMBER, &later, sizeof later), NOERROR);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }

  // The result (not locked) of looking Name up in $Users for Items.
  static DHANDLE LookUp(const char* Name, const std::vector<std::string>& Items) {
    std::string items = Packed(Items);
    DHANDLE handle = NULLHANDLE;
    EXPECT_EQ(NAMELookup(nullptr, 0, 1, "$Users", 1, Name, static_cast<WORD>(Items.size()),
                         items.data(), &handle),
              NOERROR);
    return handle;
  }
  // "eve" matches both documents; items FullName, MailDomain, Level, Missing, level.
  static DHANDLE LookUpEve() {
    return LookUp("eve", {"FullName", "MailDomain", "Level", "Missing", "level"});
  }
};

TEST_F(NameLookupBuffer, ItemsGiveTheirMembersAndMissingOnesNothing) {
  DHANDLE handle = LookUpEve();
  {
    LockedLookup lookup(handle);
    // Walking records and matches is what every lookup above does (NameLookupFixture).
    void* record = NAMELocateNextName(lookup.Data(), nullptr, nullptr);
    void* first = NAMELocateNextMatch(lookup.Data(), record, nullptr);
    void* second = NAMELocateNextMatch(lookup.Data(), record, first);
    ASSERT_NE(second, nullptr);

    // A member may be empty; how values and members are read at all is the object library's
    // name lookup test.
    char text[64];
    EXPECT_EQ(NAMEGetTextItem(first, 1, 2, text, sizeof text), NOERROR);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(NAMEGetTextItem(first, 0, 1, text, sizeof text), ERR_NO_MORE_MEMBERS);
    for (WORD item : {2, 4}) {
      EXPECT_EQ(NAMEGetTextItem(second, item, 0, text, sizeof text), NOERROR) << item;
      EXPECT_STREQ(text, "42.5") << item;
    }
    EXPECT_EQ(NAMEGetTextItem(second, 0, 0, text, sizeof text), ERR_NO_SUCH_ITEM);

    WORD type = 7, size = 7;
    EXPECT_EQ(NAMELocateItem(first, 3, &type, &size), nullptr);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(NAMELocateItem(first, 5, &type, &size), nullptr);
    EXPECT_EQ(NAMEGetTextItem(first, 3, 0, text, sizeof text), ERR_NO_SUCH_ITEM);
    EXPECT_EQ(NAMEGetTextItem(first, 9, 0, text, sizeof text), ERR_NO_SUCH_ITEM);
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(NameLookupBuffer, TextIsCutToTheBufferAtACharacterBoundary) {
  DbRef book("names.nsf");
  AddPerson(book.Get(), "Ada", Lmbcs("Z日本"));
  DHANDLE handle = LookUp("ada", {"LastName"});
  {
    LockedLookup lookup(handle);
    void* record = NAMELocateNextName(lookup.Data(), nullptr, nullptr);
    void* match = NAMELocateNextMatch(lookup.Data(), record, nullptr);
    char text[8];
    std::memset(text, 'x', sizeof text);
    // "Z" and then a character of more than one byte, which does not fit in the rest.
    ASSERT_EQ(NAMEGetTextItem(match, 0, 0, text, 3), NOERROR);
    EXPECT_STREQ(text, "Z");
    EXPECT_EQ(text[3], 'x');
    EXPECT_EQ(NAMEGetTextItem(match, 0, 0, text, 0), ERR_MISC_INVALID_ARGS);
    EXPECT_EQ(NAMEGetTextItem(match, 0, 0, nullptr, 8), ERR_MISC_INVALID_ARGS);
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(NameLookupBuffer, PointersThatAreNotPartOfALockedResultGiveNothing) {
  char elsewhere[64] = {};
  char text[16];
  EXPECT_EQ(NAMELocateNextName(nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(NAMELocateNextName(elsewhere, nullptr, nullptr), nullptr);
  EXPECT_EQ(NAMELocateNextMatch(elsewhere, elsewhere, nullptr), nullptr);
  EXPECT_EQ(NAMELocateItem(elsewhere, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(NAMEGetTextItem(elsewhere, 0, 0, text, sizeof text), ERR_MISC_INVALID_ARGS);

  DHANDLE handle = LookUpEve();
  void* match = nullptr;
  void* record = nullptr;
  {
    LockedLookup lookup(handle);
    record = NAMELocateNextName(lookup.Data(), nullptr, nullptr);
    match = NAMELocateNextMatch(lookup.Data(), record, nullptr);
    // A record is not a lookup start, a match of another record is not in this one.
    EXPECT_EQ(NAMELocateNextName(record, nullptr, nullptr), nullptr);
    EXPECT_EQ(NAMELocateNextMatch(lookup.Data(), elsewhere, nullptr), nullptr);
    EXPECT_EQ(NAMELocateNextMatch(lookup.Data(), record, elsewhere), nullptr);
    EXPECT_NE(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  }
  // Unlocked: the pointers are no longer the caller's to use, though read a moment ago.
  EXPECT_EQ(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(NAMEGetTextItem(match, 0, 0, text, sizeof text), ERR_MISC_INVALID_ARGS);

  // Nor while another result is being walked, nor once freed.
  DHANDLE other = LookUpEve();
  {
    OSLockObject(handle);
    EXPECT_NE(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
    LockedLookup second(other);
    EXPECT_NE(NAMELocateNextName(second.Data(), nullptr, nullptr), nullptr);
    OSUnlockObject(handle);
    EXPECT_EQ(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  }
  {
    LockedLookup lookup(handle);
    EXPECT_NE(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);
  EXPECT_EQ(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(OSMemFree(other), NOERROR);
}

TEST_F(NameLookupBuffer, DamagedLengthsNeverLeadOutsideTheResult) {
  DHANDLE handle = LookUpEve();
  {
    LockedLookup lookup(handle);
    char* data = lookup.Data();
    void* record = NAMELocateNextName(data, nullptr, nullptr);
    void* match = NAMELocateNextMatch(data, record, nullptr);
    const DWORD huge = 0x7FFFFFF0;
    const WORD many = 0xFFFF;
    // The match claims far more items than it holds, then far more bytes.
    std::memcpy(static_cast<char*>(match) + sizeof(DWORD), &many, sizeof many);
    EXPECT_EQ(NAMELocateItem(match, 1000, nullptr, nullptr), nullptr);
    std::memcpy(match, &huge, sizeof huge);
    EXPECT_EQ(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
    EXPECT_EQ(NAMELocateNextMatch(data, record, match), nullptr);
    std::memcpy(record, &huge, sizeof huge);
    EXPECT_EQ(NAMELocateNextMatch(data, record, nullptr), nullptr);
    EXPECT_EQ(NAMELocateNextName(data, record, nullptr), nullptr);
    std::memcpy(data + sizeof(DWORD), &huge, sizeof huge);
    EXPECT_EQ(NAMELocateNextName(data, nullptr, nullptr), nullptr);
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(NameLookupBuffer, AddressBooksAreListedWithTheirTitles) {
  NewDatabase("other.nsf");
  {
    DbRef other("other.nsf");
    char info[NSF_INFO_SIZE] = {};
    ASSERT_EQ(NSFDbInfoGet(other.Get(), info), NOERROR);
    NSFDbInfoModify(info, INFOPARSE_TITLE, "Other People");
    ASSERT_EQ(NSFDbInfoSet(other.Get(), info), NOERROR);
  }
  OSSetEnvironmentVariable("NAMES", "names.nsf,gone.nsf,other.nsf");
  WORD count = 0, length = 0;
  DHANDLE handle = NULLHANDLE;
  ASSERT_EQ(NAMEGetAddressBooks(nullptr, NAME_GET_AB_TITLES | NAME_DEFAULT_TITLES, &count, &length,
                                &handle),
            NOERROR);
  ASSERT_EQ(count, 2);
  {
    LockedLookup list(handle);
    EXPECT_EQ(std::string(list.Data(), length),
              std::string("names.nsf\0names.nsf\0other.nsf\0Other People\0", length));
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);

  ASSERT_EQ(NAMEGetAddressBooks("", NAME_GET_AB_FIRSTONLY, &count, &length, &handle), NOERROR);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(length, std::strlen("names.nsf") + 1);
  EXPECT_EQ(OSMemFree(handle), NOERROR);

  OSSetEnvironmentVariable("NAMES", "gone.nsf");
  ASSERT_EQ(NAMEGetAddressBooks(nullptr, 0, &count, &length, &handle), NOERROR);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(handle, NULLHANDLE);
  EXPECT_EQ(NAMEGetAddressBooks(nullptr, 0, nullptr, &length, &handle), ERR_MISC_INVALID_ARGS);
}

}  // namespace
