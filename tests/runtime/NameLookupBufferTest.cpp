// The lookup result through its locator functions: item values and members, the ends of the
// walk, and pointers or buffers that are not what the functions expect. Also the list of
// address books.
#include <gtest/gtest.h>

#include <cstring>

#include "NameLookupFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/odserr.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"

namespace {

using runtimetest::DbRef;
using runtimetest::LockedLookup;
using runtimetest::NoteRef;

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
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }

  // "eve" matches both documents; items FullName, MailDomain, Level, Missing.
  DHANDLE LookUpEve() {
    std::string items = Packed({"FullName", "MailDomain", "Level", "Missing"});
    DHANDLE handle = NULLHANDLE;
    EXPECT_EQ(NAMELookup(nullptr, 0, 1, "$Users", 1, "eve", 4, items.data(), &handle), NOERROR);
    return handle;
  }
};

TEST_F(NameLookupBuffer, ItemsGiveTheirMembersAndMissingOnesNothing) {
  DHANDLE handle = LookUpEve();
  {
    LockedLookup lookup(handle);
    WORD count = 0;
    void* record = NAMELocateNextName(lookup.Data(), nullptr, &count);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(count, 2);
    void* first = NAMELocateNextMatch(lookup.Data(), record, nullptr);
    void* second = NAMELocateNextMatch(lookup.Data(), record, first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(NAMELocateNextMatch(lookup.Data(), record, second), nullptr);
    EXPECT_EQ(NAMELocateNextName(lookup.Data(), record, &count), nullptr);
    EXPECT_EQ(count, 0);

    WORD type = 0, size = 0;
    char* value = static_cast<char*>(NAMELocateItem(first, 0, &type, &size));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(type, TYPE_TEXT);
    EXPECT_EQ(size, sizeof(WORD) + std::strlen("CN=Eve Long/O=Acme"));
    EXPECT_EQ(std::string(value + sizeof(WORD), size - sizeof(WORD)), "CN=Eve Long/O=Acme");

    char text[64];
    EXPECT_EQ(NAMEGetTextItem(first, 1, 0, text, sizeof text), NOERROR);
    EXPECT_STREQ(text, "A");
    EXPECT_EQ(NAMEGetTextItem(first, 1, 2, text, sizeof text), NOERROR);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(NAMEGetTextItem(first, 1, 3, text, sizeof text), ERR_NO_MORE_MEMBERS);
    EXPECT_EQ(NAMEGetTextItem(first, 0, 1, text, sizeof text), ERR_NO_MORE_MEMBERS);
    EXPECT_EQ(NAMEGetTextItem(second, 2, 0, text, sizeof text), NOERROR);
    EXPECT_STREQ(text, "42.5");
    EXPECT_EQ(NAMEGetTextItem(second, 0, 0, text, sizeof text), ERR_NO_SUCH_ITEM);

    EXPECT_EQ(NAMELocateItem(first, 3, &type, &size), nullptr);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(NAMELocateItem(first, 4, &type, &size), nullptr);
    EXPECT_EQ(NAMEGetTextItem(first, 3, 0, text, sizeof text), ERR_NO_SUCH_ITEM);
    EXPECT_EQ(NAMEGetTextItem(first, 9, 0, text, sizeof text), ERR_NO_SUCH_ITEM);
  }
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(NameLookupBuffer, TextIsCutToTheBufferAtACharacterBoundary) {
  DbRef book("names.nsf");
  AddPerson(book.Get(), "Ada", Lmbcs("Z日本"));
  std::string items = Packed({"LastName"});
  DHANDLE handle = NULLHANDLE;
  ASSERT_EQ(NAMELookup(nullptr, 0, 1, "$Users", 1, "ada", 1, items.data(), &handle), NOERROR);
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
  }
  // Unlocked: the pointers are no longer the caller's to use.
  EXPECT_EQ(NAMELocateItem(match, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(NAMEGetTextItem(match, 0, 0, text, sizeof text), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

TEST_F(NameLookupBuffer, DamagedLengthsNeverLeadOutsideTheResult) {
  DHANDLE handle = LookUpEve();
  DWORD size = 0;
  ASSERT_EQ(OSMemGetSize(handle, &size), NOERROR);
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
